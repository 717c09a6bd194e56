// Reads a version resource (VS_VERSIONINFO) as the PE file stores it: the
// fixed numbers, the strings of each StringFileInfo table and the Translation
// value. A tree of nodes, each length, value length, type, UTF-16 key, value
// and children, all aligned to four bytes. Bounds-checked.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct TVersionBlock {
    uint32_t Signature = 0; // 0xFEEF04BD in a valid fixed part
    uint16_t FileVersion[4] = {};
    uint16_t ProductVersion[4] = {};
    // "040904B0/ProductName" -> "Ovalyn Launcher"; keys and values as ASCII.
    std::map<std::string, std::string> Strings;
    std::vector<uint16_t> Translation; // language, code page, ...
};

bool ReadVersionBlock(const std::string& data, TVersionBlock& block, std::string& error);
