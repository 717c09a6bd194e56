// Pure text operations on Windows file names ('\' and ':' are separators).
#pragma once

#include <string>

// The folder part, with its trailing backslash (or colon): "C:\a\b.txt" -> "C:\a\".
std::string ExtractFilePath(const std::string& fileName);
// The name after the last separator: "C:\a\b.txt" -> "b.txt".
std::string ExtractFileName(const std::string& fileName);
// The extension with its dot, "" when there is none: "b.txt" -> ".txt".
std::string ExtractFileExt(const std::string& fileName);
// Adds a backslash unless the text already ends with one (an empty text stays empty).
std::string IncludeTrailingBackslash(const std::string& path);
