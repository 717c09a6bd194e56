#include "framework/portable/FileNames.h"

namespace {
size_t AfterLastSeparator(const std::string& fileName) {
    size_t pos = fileName.find_last_of("\\:");
    return pos == std::string::npos ? 0 : pos + 1;
}
} // namespace

std::string ExtractFilePath(const std::string& fileName) {
    return fileName.substr(0, AfterLastSeparator(fileName));
}

std::string ExtractFileName(const std::string& fileName) {
    return fileName.substr(AfterLastSeparator(fileName));
}

std::string ExtractFileExt(const std::string& fileName) {
    size_t nameStart = AfterLastSeparator(fileName);
    size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return std::string();
    return fileName.substr(dot);
}

std::string IncludeTrailingBackslash(const std::string& path) {
    if (path.empty() || path.back() == '\\')
        return path;
    return path + '\\';
}
