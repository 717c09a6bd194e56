#include "TestContainer.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Streams.h"

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string Scrambled(const std::string& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    ScrambleStream(&stream, kScrambleDirection, kContainerSeed, false);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), bytes.size());
}

} // namespace

std::string ReadFileBytes(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {};
    std::string bytes;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

void RemoveFolderTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(base + name);
            else
                DeleteFileA((base + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(base.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        throw std::runtime_error("cannot write " + path);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void WriteContainer(const std::string& path, const std::vector<std::string>& entries) {
    std::string file;
    std::vector<uint32_t> starts;
    for (const std::string& entry : entries) {
        starts.push_back(static_cast<uint32_t>(file.size()));
        file += Scrambled(entry);
    }
    PutLe(file, starts.empty() ? 0 : starts.front(), 4); // start field
    for (uint32_t start : starts)
        PutLe(file, start, 4);
    PutLe(file, static_cast<uint32_t>(entries.size()), 2);
    WriteFileBytes(path, file);
}

std::string MakeBmp(int width, int height, uint32_t rgb, bool cutCorners) {
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * height);
    std::string bmp = "BM";
    PutLe(bmp, 54 + pixelBytes, 4);
    PutLe(bmp, 0, 4);
    PutLe(bmp, 54, 4);
    PutLe(bmp, 40, 4);
    PutLe(bmp, static_cast<uint32_t>(width), 4);
    PutLe(bmp, static_cast<uint32_t>(height), 4);
    PutLe(bmp, 1, 2);
    PutLe(bmp, 24, 2);
    PutLe(bmp, 0, 4);
    PutLe(bmp, pixelBytes, 4);
    PutLe(bmp, 2835, 4);
    PutLe(bmp, 2835, 4);
    PutLe(bmp, 0, 4);
    PutLe(bmp, 0, 4);
    for (int row = 0; row < height; ++row) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            bool corner =
                cutCorners && (x == 0 || x == width - 1) && (row == 0 || row == height - 1);
            uint32_t c = corner ? 0xFF00FF : rgb;
            line.push_back(static_cast<char>(c & 0xFF));         // blue
            line.push_back(static_cast<char>((c >> 8) & 0xFF));  // green
            line.push_back(static_cast<char>((c >> 16) & 0xFF)); // red
        }
        line.resize(static_cast<size_t>(stride), '\0');
        bmp += line;
    }
    return bmp;
}

std::string DemoEntry(int number) {
    // The container the build packs from demo/menu, read as the launcher reads it.
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = OVALYN_DEMO_CONTAINER;
    reader.ReadAmount();
    reader.FileNo = static_cast<uint8_t>(number);
    std::unique_ptr<TMemoryStream> stream = reader.ExtractFileStream();
    if (!stream)
        throw std::runtime_error(std::string("demo container ") + OVALYN_DEMO_CONTAINER +
                                 ": entry " + std::to_string(number) + " cannot be read (error " +
                                 std::to_string(reader.Error) + ")");
    ScrambleStream(stream.get(), kDescrambleDirection, kContainerSeed, false);
    return std::string(reinterpret_cast<const char*>(stream->Memory()),
                       static_cast<size_t>(stream->Size()));
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> DemoConfigLines() {
    return SplitLines(DemoEntry(1));
}

std::vector<std::string> DemoEntries(const std::vector<std::string>& configLines) {
    std::vector<std::string> entries{JoinLines(configLines)};
    for (int number = 2; number <= 8; ++number)
        entries.push_back(DemoEntry(number));
    return entries;
}
