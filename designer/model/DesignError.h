// The one error type of the designer's model: a refused edit or a file that
// cannot be opened, saved or built. what() names the file (where there is
// one) and what is wrong, ready for a message box.
#pragma once

#include <stdexcept>
#include <string>

class DesignError : public std::runtime_error {
public:
    explicit DesignError(const std::string& message) : std::runtime_error(message) {}
};
