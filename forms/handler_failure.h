// An event handler that throws has not done what the user asked. The host
// catches it where the event came in and hands it here: the user is told
// once, the form shows again what is stored, so that no control keeps a
// change the handler did not get to write, and the program goes on.
#pragma once

#include <exception>
#include <string>

#include "forms/form.h"
#include "platform/message_boxes.h"

namespace kdw::forms {

inline constexpr char kHandlerFailureTitle[] = "Kelmor Deskwarden";

// The message: that the action did not finish, then what the handler threw.
std::string HandlerFailureText(const std::exception_ptr& error);

class HandlerFailureReport {
 public:
  explicit HandlerFailureReport(MessageBoxes& messages) : messages_(messages) {}

  // What a handler of `form` threw (null: the form is gone), told in a
  // message owned by `owner`; then the form shows what is stored. Throws
  // nothing: it runs where no exception may leave.
  void Tell(const std::exception_ptr& error, Form* form, WindowHandle owner) noexcept;
  // The form is going: if the message is still up for it, nothing is asked
  // of it afterwards.
  void Forget(const Form& form) noexcept;

 private:
  MessageBoxes& messages_;
  // Up while a message shows: what fails meanwhile (a timer's next tick,
  // served by the message's own loop) puts its form back but adds no box.
  bool telling_ = false;
  Form* failed_ = nullptr;
};

}  // namespace kdw::forms
