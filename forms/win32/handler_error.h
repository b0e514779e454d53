// No exception may leave a window procedure. Between it and the code that
// led to it lie the system's own frames, which the i686 build's unwinder
// cannot pass: there a throw from an event handler ends the program, where
// the x86_64 build would carry it to our caller. So the procedures keep
// what a handler threw, and the host throws it again once the system call
// that reached the handler has returned, in both builds alike. (A host told
// to report failures to the user keeps nothing: it tells them where they are
// caught.)
#pragma once

#include <exception>

namespace kdw::forms {

// Keeps what a handler threw; the first one kept wins until taken.
void KeepHandlerError(std::exception_ptr error) noexcept;
// Throws the kept exception, if there is one, and forgets it.
void RethrowHandlerError();
bool HandlerErrorKept() noexcept;

}  // namespace kdw::forms
