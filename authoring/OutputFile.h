// Output that appears whole or not at all: bytes go to a temporary file beside
// the target, which is renamed over the target only once everything is
// written. Destroyed without Commit, it removes the temporary file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFileStream;
class TStream;

class OutputFile {
public:
    // Raises AuthoringError naming path when the temporary file cannot be made.
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    TStream& Stream();
    // Closes the temporary file and renames it to the target (AuthoringError on failure).
    void Commit();

private:
    std::string path_;
    std::string tempPath_;
    std::unique_ptr<TFileStream> stream_;
    bool committed_ = false;
};

// What keeps path from taking a new file, or "": only a regular file (which
// is replaced) or a name not yet taken will do, never a folder, a link, a
// device or a FIFO (a build onto the always-full device would replace the
// device itself).
std::string OutputPathProblem(const std::string& path);

// Writes bytes as the whole file at path, through an OutputFile (AuthoringError
// naming path when that fails).
void WriteFileWhole(const std::string& path, const std::vector<uint8_t>& bytes);

// Creates the folder unless it exists already (AuthoringError when that fails).
void EnsureFolder(const std::string& path);
// folder + separator + name, without doubling a separator the folder ends in.
std::string JoinPath(const std::string& folder, const std::string& name);
