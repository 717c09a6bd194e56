// Where "Config.log" is read from and written to. As a rule it lies beside
// the executable. Where that folder cannot be written (a CD, a
// write-protected stick) the choice is kept in a per-user file instead:
// "<local application data>\Ovalyn Launcher\<volume serial>-<folder hash>.log".
#pragma once

#include <string>

#include "framework/runtime/Exceptions.h"

class TStringList;

// Neither the folder's "Config.log" nor the per-user file could be written.
OVALYN_DECLARE_EXCEPTION(EConfigLogError, Exception);

// The per-user file for the menu in folder (with its trailing backslash);
// "" when the platform names no local application data folder.
std::string UserConfigLogFile(const std::string& folder);

// The file to read at start; "" when there is none. The folder's
// "Config.log" wins, except where it cannot be written and the per-user file
// is newer (a medium that ships a "Config.log" would otherwise never give back
// the user's own choice). Without the folder's file, the per-user file, but
// only where the folder could not have taken the last save: on a read-only
// volume, in a folder that refuses new files, or where something that is no
// writable file holds the name.
std::string ConfigLogToRead(const std::string& folder);

// Saves lines as the folder's "Config.log", or, when that cannot be written,
// as the per-user file (making its folder when needed). Raises
// EConfigLogError naming the files when neither can be written.
void SaveConfigLogLines(const std::string& folder, const TStringList& lines);
