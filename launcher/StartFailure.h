// A program start or a shell "open" that failed, told in words for the error
// box. WinExec answers 31 or less and ShellExecuteA 32 or less when they
// fail; both use the same small numbers for the same causes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

bool ProgramStarted(unsigned winExecAnswer);
// The shell's answer is a handle value; above 32 it opened the target.
bool ShellOpened(uintptr_t shellExecuteAnswer);

// "file not found", "access denied", ...; a code without a meaning of its
// own as "error <code>".
std::string StartFailureReason(unsigned code);

// The error box texts: what failed, why, and the command line or target,
// shown readably (control characters as "#code") and cut after
// kMaxShownCommandChars characters, so any line gives a short box.
inline constexpr std::size_t kMaxShownCommandChars = 300;
std::string ProgramStartFailedText(const std::string& commandLine, unsigned code);
std::string ShellOpenFailedText(const std::string& target, unsigned code);
