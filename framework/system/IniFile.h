// TIniFile: a profile file ("[section]" lines and key=value lines) read and
// written key by key through the platform's profile routines. Section and key
// names are matched without regard to case. A relative file name is used as
// the platform takes it (the Windows folder), so callers pass full paths.
#pragma once

#include <string>

#include "framework/runtime/Persistent.h"

class TStringList;

class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName);
    const char* ClassName() const override { return "TIniFile"; }

    const std::string& FileName() const { return fileName_; }

    // A value of up to 2047 characters; the default when file, section or key is missing.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const;
    // Replaces or adds the key, creating section and file when missing. Raises
    // EIniFileException "Fehler beim Schreiben in <file>" when that fails.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value);

    // Hexadecimal when longer than two characters and starting with 0x/0X,
    // else the integer rules; text that is no integer yields the default.
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    // An integer other than 0 is true; written as "1" / "0".
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
    void WriteBool(const std::string& section, const std::string& ident, bool value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    // The key names of a section, in file order.
    void ReadSection(const std::string& section, TStringList& keys) const;
    void ReadSections(TStringList& sections) const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);
    // Makes the platform write its cached changes to disk.
    void UpdateFile();

private:
    std::string fileName_;
};
