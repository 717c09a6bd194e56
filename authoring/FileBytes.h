// A whole file read into memory. Only a regular file is read (a FIFO would
// block for ever, a device never end), and its size is checked against a
// limit before any byte is read, so a huge or endless file is refused
// instead of filling memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The file's bytes; false with problem set when it is no regular file,
// cannot be opened or read, or holds more than limit bytes (a whole number
// of MB). problem reads on from the file's name: "cannot be opened (missing
// or not readable)", "is a folder, not a file", "is too large (N bytes);
// KIND of at most M MB are read", ...
bool ReadWholeFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes,
                   std::string& problem, std::string_view kind = "files");

// What keeps path from being read as a regular file, or "": missing, a
// folder, a dangling link, a link loop, a FIFO, a device or a socket.
std::string NotAFileProblem(const std::string& path);
