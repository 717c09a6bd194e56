// A command's arguments: positional words and the options it accepts
// ("--plain" flags and "--offset N" values).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct OptionSpec {
    std::set<std::string> flags;        // e.g. "--plain"
    std::set<std::string> valueOptions; // e.g. "--offset", followed by a value
};

class Arguments {
public:
    // Raises AuthoringError for an unknown option or a value option without value.
    Arguments(const std::vector<std::string>& words, const OptionSpec& accepted);

    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& flag) const { return flags_.count(flag) != 0; }
    // The option's text, or fallback when absent.
    std::string Value(const std::string& option, const std::string& fallback = {}) const;
    bool HasValue(const std::string& option) const { return values_.count(option) != 0; }
    // The option's value as a signed 32-bit number, or fallback when absent.
    int32_t Int32Value(const std::string& option, int32_t fallback) const;

private:
    std::vector<std::string> positional_;
    std::set<std::string> flags_;
    std::map<std::string, std::string> values_;
};

// Strict decimal: optional '-', digits only, within [low, high]; AuthoringError
// naming what otherwise.
int64_t ParseNumber(const std::string& text, int64_t low, int64_t high, const std::string& what);
