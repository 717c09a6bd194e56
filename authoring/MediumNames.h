// File names that every medium the launcher ships on takes: a FAT32 stick
// (long names) and a disc image with ISO 9660 and Joliet names, which is
// what Windows reads from a CD or DVD. A name that one of them refuses or
// changes would leave the launcher looking for a file that is not there.
#pragma once

#include <string>
#include <vector>

// Joliet stores at most 64 UTF-16 units per name and 240 per path; ISO 9660
// allows 8 directory levels below the root.
inline constexpr std::size_t kMaxNameUnits = 64;
inline constexpr std::size_t kMaxPathUnits = 240;
inline constexpr std::size_t kMaxFolderDepth = 8;

// What is wrong with one name (a single path component), or "" when FAT32
// and Joliet both take it: characters neither allows (control characters and
// "*/:;<>?\|, where ';' is Joliet's), a trailing dot or blank, a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension), a name longer
// than Joliet keeps, text that is no UTF-8.
std::string NameProblem(const std::string& name);

// What is wrong with a path on the medium ("data/levels/one.dat", '/'
// between folders), or "": each component's NameProblem, then its length and
// depth.
std::string PathProblem(const std::string& path);

// The path as Windows compares names: ASCII letters folded to lower case
// (FAT32 and Joliet look names up without regard to case).
std::string FoldCase(const std::string& path);

// UTF-16 units the UTF-8 text takes, or npos when it is no valid UTF-8.
std::size_t Utf16Units(const std::string& utf8);

// What is wrong with a volume label, or "": 1 to 11 characters (FAT32's
// limit, below Joliet's 16 and ISO 9660's 32) of A-Z, 0-9 and '_' (the
// characters an ISO 9660 volume identifier allows).
std::string VolumeLabelProblem(const std::string& label);
