// The Access traits of TChangeValue: the parts of a menu document a command
// changes. Each value is the exact launcher text or bytes, so an undo gives
// the document back byte for byte.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "authoring/MenuDocument.h"
#include "designer/model/DesignChange.h"

// Merge ids: one per kind of change; a drag gets an id of its own from
// kFirstDragMergeId on, so that no two drags merge.
inline constexpr int kLineMergeId = 1;
inline constexpr int kFirstDragMergeId = 1000;

// One configuration line (0..71).
struct LineAccess {
    using Value = std::string;
    SettingId id;
    int mergeId = -1; // kLineMergeId lets consecutive edits of the line merge

    Value Get(const MenuDocument& menu) const { return menu.Text(id); }
    void Set(MenuDocument& menu, const Value& text) const { menu.SetText(id, text); }
    int MergeId() const { return mergeId; }
    bool SameTarget(const LineAccess& other) const { return other.id == id; }
    DesignChange Change() const { return {DesignChange::Lines, {LineOf(id)}}; }
};

// An element's Left and Top lines together (a move).
struct PlaceAccess {
    using Value = std::pair<std::string, std::string>;
    SettingId left, top;
    int mergeId = -1; // the drag's id: every move of one drag merges

    Value Get(const MenuDocument& menu) const { return {menu.Text(left), menu.Text(top)}; }
    void Set(MenuDocument& menu, const Value& value) const {
        menu.SetText(left, value.first);
        menu.SetText(top, value.second);
    }
    int MergeId() const { return mergeId; }
    bool SameTarget(const PlaceAccess& other) const {
        return other.left == left && other.top == top;
    }
    DesignChange Change() const { return {DesignChange::Lines, {LineOf(left), LineOf(top)}}; }
};

// The option lines with line 71, which counts them.
struct OptionListValue {
    std::vector<std::string> tail;
    std::string count;
    bool operator==(const OptionListValue&) const = default;
};
struct OptionsAccess {
    using Value = OptionListValue;

    Value Get(const MenuDocument& menu) const {
        return {menu.Tail(), menu.Text(SettingId::OptionCount)};
    }
    void Set(MenuDocument& menu, const Value& value) const {
        menu.Tail() = value.tail;
        menu.SetText(SettingId::OptionCount, value.count);
    }
    int MergeId() const { return -1; }
    bool SameTarget(const OptionsAccess&) const { return true; }
    DesignChange Change() const {
        return {DesignChange::Options | DesignChange::Lines, {LineOf(SettingId::OptionCount)}};
    }
};

inline bool operator==(const MenuFileData& a, const MenuFileData& b) {
    return a.fileName == b.fileName && a.bytes == b.bytes;
}

// One picture: its file name and its bytes (the BMP the launcher reads).
struct PictureAccess {
    using Value = MenuFileData;
    PictureRole role;

    Value Get(const MenuDocument& menu) const { return menu.Picture(role); }
    void Set(MenuDocument& menu, const Value& value) const { menu.Picture(role) = value; }
    int MergeId() const { return -1; }
    bool SameTarget(const PictureAccess& other) const { return other.role == role; }
    DesignChange Change() const { return {DesignChange::Pictures, {}}; }
};

// The notice text (entry 2) and its file name.
struct NoticeAccess {
    using Value = MenuFileData;
    int mergeId = -1;

    Value Get(const MenuDocument& menu) const { return menu.Notice(); }
    void Set(MenuDocument& menu, const Value& value) const { menu.Notice() = value; }
    int MergeId() const { return mergeId; }
    bool SameTarget(const NoticeAccess&) const { return true; }
    DesignChange Change() const { return {DesignChange::Notice, {}}; }
};
