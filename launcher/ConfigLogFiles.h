// Where "Config.log" is read from and written to. As a rule it lies beside
// the executable. Where that folder cannot be written (a CD, a
// write-protected stick) the choice is kept in a per-user file instead:
// "<local application data>\Ovalyn Launcher\<volume serial>-<hash>.log",
// named after the volume (found through its own mount point) and the menu's
// path within it.
//
// Reading and saving agree by construction: the read asks whether the
// folder's file can be written with the very open that a save makes, and a
// save writes into the file as it is (hidden, system and archive attributes
// kept) rather than replacing it.
#pragma once

#include <optional>
#include <string>

#include "format/ConfigLog.h"
#include "framework/runtime/Exceptions.h"

class TStringList;

// Neither the folder's "Config.log" nor the per-user file could be written.
OVALYN_DECLARE_EXCEPTION(EConfigLogError, Exception);

// The per-user file for the menu in folder (with its trailing backslash);
// "" when the platform names no local application data folder.
std::string UserConfigLogFile(const std::string& folder);

// The choice to start with; nothing when no file holds one. The folder's
// "Config.log" wins where a save could write it and it holds a choice. The
// per-user file exists only after a save that the folder refused, so it wins
// wherever the folder's file cannot be written, is damaged (a save that
// failed half-way on a full medium leaves it so) or is missing from a folder
// that refuses new files (a read-only volume, a folder without the right to
// add a file). A damaged file counts as absent.
std::optional<TRememberedChoice> ReadRememberedChoice(const std::string& folder);

// Saves lines as the folder's "Config.log", or, when that cannot be written,
// as the per-user file (making its folder when needed). Raises
// EConfigLogError naming the files when neither can be written.
void SaveConfigLogLines(const std::string& folder, const TStringList& lines);
