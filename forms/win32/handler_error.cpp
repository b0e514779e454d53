#include "forms/win32/handler_error.h"

#include <utility>

namespace kdw::forms {
namespace {

// Per thread: each thread's windows are served by its own procedures.
thread_local std::exception_ptr kept;

}  // namespace

void KeepHandlerError(std::exception_ptr error) noexcept {
  if (!kept) kept = std::move(error);
}

void RethrowHandlerError() {
  if (kept) std::rethrow_exception(std::exchange(kept, nullptr));
}

bool HandlerErrorKept() noexcept { return static_cast<bool>(kept); }

}  // namespace kdw::forms
