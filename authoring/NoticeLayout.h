// How long the launcher's notice box takes to lay a text out. The box is the
// system's multi-line edit control, which lays out each line in time that
// grows with the square of its length (measured under Wine: a line of 10,000
// characters takes 0.28 s, one of 20,000 takes 1 s; 20,000 short lines take
// 1.4 s), and the menu shows only once it is done. The designer's notice
// editor is the same control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct NoticeShape {
    std::size_t lines = 0;
    std::size_t characters = 0;
    std::size_t longestLine = 0;
    std::size_t longestLineNumber = 0; // 1-based
    double seconds = 0;                // the estimated layout time
};

NoticeShape MeasureNotice(std::string_view text);

// Above this the menu would wait so long for its notice that it seems hung:
// the checks refuse the text.
inline constexpr double kNoticeTooSlowSeconds = 5.0;
// A line longer than this is laid out slowly enough to be worth a warning.
inline constexpr std::size_t kLongNoticeLine = 2000;
// The designer edits a notice in its own box only below this.
inline constexpr double kNoticeEditableSeconds = 0.5;
