#pragma once

#include <exception>

namespace ui {

// Thrown to abandon the current action without any further message (the user has
// already been told why). The error guards swallow it silently.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "action abandoned"; }
};

} // namespace ui
