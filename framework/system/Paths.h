// The executable's folder and file-system queries on folders.
#pragma once

#include <string>

#include "framework/portable/FileNames.h"
#include "framework/runtime/Streams.h" // FileExists

// The folder of the running program, ending in a backslash.
std::string ExecutableFolder();
// The full path of the running program.
std::string ExecutablePath();
bool DirectoryExists(const std::string& path);
// Creates one folder level; false when it cannot (for example the parent is missing).
bool CreateDir(const std::string& path);
