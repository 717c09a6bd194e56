// Test helpers that make what the launcher reads: containers in the stored
// (scrambled) format, BMP pictures, configuration lists, and plain files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The whole file as bytes, or "" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Removes the folder with everything in it (best effort; with or without a
// trailing backslash).
void RemoveFolderTree(const std::string& folder);
// Writes bytes to a file, replacing it; raises std::runtime_error on failure.
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Lines joined with CR LF after each one, as the launcher's files hold them.
std::string JoinLines(const std::vector<std::string>& lines);
// The reverse: text cut at each CR LF (a last line needs none).
std::vector<std::string> SplitLines(const std::string& text);

// A container file holding entries 1..N in order, each stored the way the
// launcher expects (scrambled), with its trailer.
void WriteContainer(const std::string& path, const std::vector<std::string>& entries);

// A 24-bit bottom-up BMP of one colour (0xRRGGBB). With cutCorners the four
// corner pixels are fuchsia, the colour cut out of shaped controls.
std::string MakeBmp(int width, int height, uint32_t rgb, bool cutCorners = false);

// Entry number (1 to 8) of the demo container that the build packs from
// demo/menu, descrambled.
std::string DemoEntry(int number);
// The demo menu's configuration list, one string per line.
std::vector<std::string> DemoConfigLines();
// The demo's eight entries with the configuration list replaced by lines.
std::vector<std::string> DemoEntries(const std::vector<std::string>& configLines);
