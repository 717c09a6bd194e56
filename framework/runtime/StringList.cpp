#include "framework/runtime/StringList.h"

#include <cstddef>
#include <new>
#include <stdexcept>

#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

namespace {
[[noreturn]] void IndexError(int index) {
    throw EStringListError("Listenindex \xFC"
                           "berschreitet das Maximum (" +
                           std::to_string(index) + ")");
}
} // namespace

const std::string& TStringList::Get(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
    return lines_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::string& s) {
    if (index < 0 || index >= Count())
        IndexError(index);
    lines_[static_cast<std::size_t>(index)] = s;
}

int TStringList::Add(const std::string& s) {
    lines_.push_back(s);
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count())
        IndexError(index);
    lines_.insert(lines_.begin() + index, s);
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count())
        IndexError(index);
    lines_.erase(lines_.begin() + index);
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(const std::string& text) {
    // A line break ends a line, so text that ends in one yields no extra empty
    // line. Every other byte, NUL included, belongs to its line.
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t size = text.size();
    while (start < size) {
        std::size_t end = start;
        while (end < size && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.emplace_back(text, start, end - start);
        if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n')
            start = end + 2;
        else
            start = end + 1;
    }
    lines_.swap(lines);
}

void TStringList::LoadFromStream(TStream& stream) {
    // Read until the stream ends rather than trusting its size.
    std::string text;
    char chunk[16 * 1024];
    try {
        for (;;) {
            const int64_t got = stream.Read(chunk, sizeof chunk);
            if (got <= 0)
                break;
            text.append(chunk, static_cast<std::size_t>(got));
        }
        SetText(text);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    }
}

void TStringList::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fm::fmOpenRead | fm::fmShareDenyWrite);
    LoadFromStream(file);
}

void TStringList::SaveToStream(TStream& stream) const {
    const std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStringList::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fm::fmCreate);
    SaveToStream(file);
}
