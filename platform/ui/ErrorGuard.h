#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace ui {

// Turns exceptions that no screen handled into the standard error box, so the
// action stops and the program keeps running.
class ErrorGuard {
public:
    // Runs fn; returns false when it threw (the error has been shown).
    static bool run(const std::function<void()>& fn);
    // Shows the error box for the exception being handled; call inside a catch block.
    static void reportCurrentException();
    // The text the error box shows for an exception; empty for a silent abort.
    static QString textOf(std::exception_ptr error);
};

// Shorthand for ErrorGuard::run, for code that runs outside an event (start-up, tests).
inline bool guarded(const std::function<void()>& fn) {
    return ErrorGuard::run(fn);
}

} // namespace ui
