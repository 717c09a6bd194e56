// An ordered list of text lines. Loading splits at CR LF, a lone CR or a lone
// LF; saving writes every line followed by CR LF. Reading an index beyond the
// last line raises EStringListError ("Listenindex überschreitet das Maximum (%d)").
#pragma once

#include <string>
#include <utility>
#include <vector>

class TStream;

class TStringList {
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& operator[](int index) const { return Get(index); }
    const std::string& Get(int index) const;
    void Put(int index, const std::string& s);
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);
    void Delete(int index);
    void Clear() { lines_.clear(); }

    // Whole text with every line ended by CR LF.
    std::string Text() const;
    void SetText(const std::string& text);

    // Loading replaces the former contents with the lines from the stream's
    // current position to its end.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;

    const std::vector<std::string>& Lines() const { return lines_; }
    // The lines handed over; the list is empty after.
    std::vector<std::string> TakeLines() { return std::exchange(lines_, {}); }

private:
    std::vector<std::string> lines_;
};
