// The one error type of the authoring library, and so of ctrpack and the
// designer: a menu, container or medium that cannot be read, built or
// written. Its message is one line naming the file and what is wrong, ready
// for stderr or a message box.
#pragma once

#include <stdexcept>
#include <string>

class AuthoringError : public std::runtime_error {
public:
    explicit AuthoringError(const std::string& message) : std::runtime_error(message) {}
    // "FILE: what"
    AuthoringError(const std::string& file, const std::string& what)
        : std::runtime_error(file + ": " + what) {}
};
