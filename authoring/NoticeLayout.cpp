#include "authoring/NoticeLayout.h"

namespace {
// Fitted to the measurements in the header: a line of n characters costs
// kSquare * n^2, every character kLinear on top.
constexpr double kSquare = 2.5e-9;
constexpr double kLinear = 0.8e-6;
} // namespace

NoticeShape MeasureNotice(std::string_view text) {
    NoticeShape shape;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::size_t length = end - start;
        ++shape.lines;
        shape.characters += length;
        shape.seconds += kSquare * double(length) * double(length);
        if (length > shape.longestLine)
            shape.longestLine = length, shape.longestLineNumber = shape.lines;
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    shape.seconds += kLinear * double(shape.characters);
    return shape;
}
