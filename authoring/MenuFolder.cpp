#include "authoring/MenuFolder.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "authoring/AuthoringError.h"
#include "authoring/OutputFile.h"
#include "container/ContainerError.h"
#include "container/ContainerReading.h"
#include "container/ContainerWriter.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

namespace fs = std::filesystem;

int MenuEntryNumber(const std::string& fileName) {
    std::size_t digits = 0;
    while (digits < fileName.size() && digits < 4 && fileName[digits] >= '0' &&
           fileName[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 3 || fileName[0] == '0' || digits >= fileName.size() ||
        fileName[digits] != '-')
        return 0;
    const int number = std::stoi(fileName.substr(0, digits));
    return number <= static_cast<int>(ContainerWriter::kMaxEntries) ? number : 0;
}

std::vector<MenuEntry> ReadMenuFolder(const std::string& folder) {
    std::map<int, std::string> files; // number -> path
    std::error_code error;
    fs::directory_iterator listing(fs::path(folder), error);
    if (error)
        throw AuthoringError(folder, "cannot be read as a folder (" + error.message() + ")");
    for (const fs::directory_entry& item : listing) {
        const std::string name = item.path().filename().string();
        const int number = MenuEntryNumber(name);
        if (number == 0 || !item.is_regular_file(error))
            continue;
        const std::string path = JoinPath(folder, name);
        auto [at, inserted] = files.emplace(number, path);
        if (!inserted)
            throw AuthoringError(path,
                                 "gives entry " + std::to_string(number) + " like " + at->second);
    }
    if (files.empty())
        throw AuthoringError(folder, "holds no entry files (named 1-..., 2-..., ...)");
    int expected = 1;
    for (const auto& [number, path] : files) {
        if (number != expected)
            throw AuthoringError(folder, "has no file for entry " + std::to_string(expected) +
                                             " (entries must be numbered from 1 without gaps)");
        ++expected;
    }

    std::vector<MenuEntry> entries;
    uint64_t dataBytes = 0;
    for (const auto& [number, path] : files) {
        try {
            TFileStream file(path, fm::fmOpenRead | fm::fmShareDenyWrite);
            const int64_t size = file.Size();
            // Entries, start field, one table slot per entry and the count.
            const uint64_t end =
                dataBytes + static_cast<uint64_t>(size) + 4 + 4 * (entries.size() + 1) + 2;
            if (end > ContainerWriter::kMaxEnd)
                throw AuthoringError(path, "the container would reach past position 2^31 - 1");
            dataBytes += static_cast<uint64_t>(size);
            MenuEntry entry{number, path, true,
                            std::vector<uint8_t>(static_cast<std::size_t>(size))};
            file.ReadBuffer(entry.bytes.data(), size);
            entries.push_back(std::move(entry));
        } catch (const EFOpenError&) {
            throw AuthoringError(path, "cannot be opened");
        } catch (const EStreamError& failure) {
            throw AuthoringError(path, "cannot be read (" + failure.Message() + ")");
        }
    }
    return entries;
}

std::vector<MenuEntry> ReadMenuContainer(const std::string& container, int& entriesHeld) {
    try {
        ContainerReading reading(container, 0);
        entriesHeld = reading.EntryCount();
        std::vector<MenuEntry> entries;
        // A damaged entry above those the launcher reads does not hinder it.
        for (int n = 1; n <= reading.EntryCount() && n <= kLauncherEntries; ++n) {
            ReadEntry read = reading.Entry(n, true);
            entries.push_back(
                {n, container + " entry " + std::to_string(n), false, std::move(read.bytes)});
        }
        return entries;
    } catch (const EContainerError& error) {
        throw AuthoringError(error.Message());
    }
}
