#include "launcher/StartFailure.h"

#include "framework/portable/Convert.h"

namespace {
// The largest failure answers of WinExec and ShellExecuteA.
constexpr unsigned kLastWinExecFailure = 31;
constexpr uintptr_t kLastShellFailure = 32;
} // namespace

bool ProgramStarted(unsigned winExecAnswer) {
    return winExecAnswer > kLastWinExecFailure;
}

bool ShellOpened(uintptr_t shellExecuteAnswer) {
    return shellExecuteAnswer > kLastShellFailure;
}

std::string StartFailureReason(unsigned code) {
    switch (code) {
    case 0:
        return "the system is out of memory or resources";
    case 2:
        return "file not found";
    case 3:
        return "path not found";
    case 5:
        return "access denied";
    case 8:
        return "out of memory";
    case 11:
        return "not a valid program";
    case 26:
        return "the file is in use";
    case 27:
        return "the file type's association is incomplete";
    case 28:
        return "the program did not answer in time";
    case 29:
        return "the program refused the request";
    case 30:
        return "the program is busy";
    case 31:
        return "no program is associated with this file type";
    case 32:
        return "a library it needs was not found";
    default:
        return "error " + std::to_string(code);
    }
}

std::string ProgramStartFailedText(const std::string& commandLine, unsigned code) {
    return "The program could not be started (" + StartFailureReason(code) + "):\r\n" +
           ReadableText(commandLine, kMaxShownCommandChars);
}

std::string ShellOpenFailedText(const std::string& target, unsigned code) {
    return "This could not be opened (" + StartFailureReason(code) + "):\r\n" +
           ReadableText(target, kMaxShownCommandChars);
}
