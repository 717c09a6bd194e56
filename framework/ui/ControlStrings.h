// TControlStrings: the lines of a memo or the items of a combo box. The list
// lives in the object (so it survives window re-creation); every change is
// passed on to the owning control's window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/runtime/StringList.h"

class TStream;

class TControlStrings {
public:
    TControlStrings() = default;
    TControlStrings(const TControlStrings&) = delete;
    TControlStrings& operator=(const TControlStrings&) = delete;

    int Count() const { return list_.Count(); }
    // A bad index raises EStringListError.
    const std::string& operator[](int index) const { return list_.Get(index); }
    const std::string& Get(int index) const { return list_.Get(index); }
    void Put(int index, const std::string& text);
    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& text) const;

    // All lines joined, each ended by CR LF; SetText splits at CR LF, CR or LF.
    std::string Text() const { return list_.Text(); }
    void SetText(const std::string& text);
    void Assign(const TStringList& lines);
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(TStream& stream) const { list_.SaveToStream(stream); }

    const TStringList& Strings() const { return list_; }

    // For the owning control: how a change reaches its window.
    struct TTarget {
        std::function<void(int index, const std::string& text)> Inserted;
        std::function<void(int index)> Deleted;
        std::function<void()> Reset; // the whole content changed
    };
    void SetTarget(TTarget target) { target_ = std::move(target); }
    // Replaces the content without telling the target (the window already
    // holds it, e.g. after the user typed).
    void SetTextQuietly(const std::string& text) { list_.SetText(text); }

private:
    void NotifyReset();

    TStringList list_;
    TTarget target_;
};
