#include "framework/ui/ControlStrings.h"

#include "framework/runtime/Streams.h"

void TControlStrings::NotifyReset() {
    if (target_.Reset)
        target_.Reset();
}

void TControlStrings::Put(int index, const std::string& text) {
    list_.Put(index, text);
    if (target_.Deleted && target_.Inserted) {
        target_.Deleted(index);
        target_.Inserted(index, text);
    } else {
        NotifyReset();
    }
}

int TControlStrings::Add(const std::string& text) {
    int index = list_.Add(text);
    if (target_.Inserted)
        target_.Inserted(index, text);
    else
        NotifyReset();
    return index;
}

void TControlStrings::Insert(int index, const std::string& text) {
    list_.Insert(index, text);
    if (target_.Inserted)
        target_.Inserted(index, text);
    else
        NotifyReset();
}

void TControlStrings::Delete(int index) {
    list_.Delete(index);
    if (target_.Deleted)
        target_.Deleted(index);
    else
        NotifyReset();
}

void TControlStrings::Clear() {
    list_.Clear();
    NotifyReset();
}

int TControlStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < list_.Count(); ++i)
        if (list_.Get(i) == text)
            return i;
    return -1;
}

void TControlStrings::SetText(const std::string& text) {
    list_.SetText(text);
    NotifyReset();
}

void TControlStrings::Assign(const TStringList& lines) {
    list_.Clear();
    for (const std::string& line : lines.Lines())
        list_.Add(line);
    NotifyReset();
}

void TControlStrings::LoadFromStream(TStream& stream) {
    // Read into a separate list: a failed read leaves the lines as they were.
    TStringList loaded;
    loaded.LoadFromStream(stream);
    Assign(loaded);
}

void TControlStrings::LoadFromFile(const std::string& fileName) {
    TStringList loaded;
    loaded.LoadFromFile(fileName);
    Assign(loaded);
}
