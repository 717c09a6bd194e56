#include "tools/ctrpack/Arguments.h"

#include "authoring/AuthoringError.h"

Arguments::Arguments(const std::vector<std::string>& words, const OptionSpec& accepted) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word.compare(0, 2, "--") != 0) {
            positional_.push_back(word);
        } else if (accepted.flags.count(word)) {
            flags_.insert(word);
        } else if (accepted.valueOptions.count(word)) {
            if (i + 1 >= words.size())
                throw AuthoringError(word, "needs a value");
            values_[word] = words[++i];
        } else {
            throw AuthoringError(word, "unknown option");
        }
    }
}

std::string Arguments::Value(const std::string& option, const std::string& fallback) const {
    auto found = values_.find(option);
    return found == values_.end() ? fallback : found->second;
}

int32_t Arguments::Int32Value(const std::string& option, int32_t fallback) const {
    auto found = values_.find(option);
    if (found == values_.end())
        return fallback;
    return static_cast<int32_t>(
        ParseNumber(found->second, INT32_MIN, INT32_MAX, option + " " + found->second));
}

int64_t ParseNumber(const std::string& text, int64_t low, int64_t high, const std::string& what) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    if (i >= text.size() || text.size() - i > 12)
        throw AuthoringError(what, "is not a number in " + std::to_string(low) + ".." +
                                       std::to_string(high));
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw AuthoringError(what, "is not a number in " + std::to_string(low) + ".." +
                                           std::to_string(high));
        value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    if (value < low || value > high)
        throw AuthoringError(what, "is not a number in " + std::to_string(low) + ".." +
                                       std::to_string(high));
    return value;
}
