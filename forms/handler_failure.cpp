#include "forms/handler_failure.h"

#include <utility>

namespace kdw::forms {
namespace {

// Throws nothing: a form that cannot even show what is stored has nothing
// better to do, and the user has been told already.
void ShowStored(Form* form) noexcept {
  try {
    if (form && form->on_action_failed) form->on_action_failed();
  } catch (...) {
  }
}

}  // namespace

std::string HandlerFailureText(const std::exception_ptr& error) {
  std::string text = "Kelmor Deskwarden met an internal error and could not finish this action.";
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::exception& thrown) {
    text += "\n\n";
    text += thrown.what();
  } catch (...) {
    // Nothing more to say of it.
  }
  return text;
}

void HandlerFailureReport::Tell(const std::exception_ptr& error, Form* form,
                                WindowHandle owner) noexcept {
  if (telling_) {
    ShowStored(form);
    return;
  }
  telling_ = true;
  failed_ = form;
  try {
    messages_.Show(owner, HandlerFailureText(error), kHandlerFailureTitle,
                   mb::kOk | mb::kIconStop);
  } catch (...) {
    // Not even the message could be made: the form still goes back.
  }
  telling_ = false;
  ShowStored(std::exchange(failed_, nullptr));
}

void HandlerFailureReport::Forget(const Form& form) noexcept {
  if (failed_ == &form) failed_ = nullptr;
}

}  // namespace kdw::forms
