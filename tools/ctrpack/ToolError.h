// The one error type of ctrpack: its message is the single line printed on
// stderr, naming the file and what is wrong.
#pragma once

#include <stdexcept>
#include <string>

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
    // "FILE: what"
    ToolError(const std::string& file, const std::string& what)
        : std::runtime_error(file + ": " + what) {}
};
