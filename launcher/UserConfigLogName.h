// The name of the per-user "Config.log" that a menu on read-only media (a CD,
// a write-protected stick) keeps instead of the one beside the executable.
// Pure text work; the volume serial number is asked for by the caller.
#pragma once

#include <cstdint>
#include <string>

// The folder, under the user's local application data folder, that holds
// the per-user files.
inline constexpr const char* kUserConfigLogFolder = "Ovalyn Launcher";

// The root of the volume a folder lies on, with its trailing backslash:
// "D:\Game\" -> "D:\", "\\server\share\Game\" -> "\\server\share\"; "" for
// a folder without a drive or share.
std::string VolumeRoot(const std::string& folder);

// 64-bit FNV-1a over the bytes of text.
uint64_t Fnv1a64(const std::string& text);

// The folder's path below the volume's mount point ("D:\", or a folder a
// disc is mounted in): "D:\Game\" on "D:\" -> "Game\". A folder that does not
// begin with the mount point (in any case) is given back whole.
std::string PathWithinVolume(const std::string& folder, const std::string& mountPoint);

// "<serial>-<hash>.log": the volume serial number in 8 hex digits and the hash
// of place in upper case in 16 (upper-case hex), so two discs in one drive,
// and two menus on one disc, keep choices of their own, and the same folder
// spelled in another case keeps its choice. place is the menu's path within
// its volume, so a stick that comes up under another drive letter keeps its
// choice; earlier versions gave the whole folder, drive letter and all,
// whose names are still read. The name must never change between versions:
// the users' choices are found by it.
std::string UserConfigLogName(uint32_t volumeSerial, const std::string& place);
