// The undo stack: commands below the index are applied, those above it can
// be redone. "Modified" is derived from the clean index (the index at the
// last save), never kept by hand.
//
// Merging: a pushed command whose MergeId (not -1) matches the top command's
// is merged into it, unless the top is the clean state (a save in between
// starts a new step) or the caller forbids it. A merged command that ends
// where it began is dropped; so is a pushed command that is obsolete by
// itself. A clean index that pointed past a dropped or discarded command can
// never be reached again: the document then stays modified until saved.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "designer/model/Command.h"

class TUndoStack {
public:
    // Runs command's Redo, then keeps it (merged, dropped or pushed); discards
    // the commands above the index. Returns what was touched (the command's
    // Change(), also when it was then dropped as obsolete).
    DesignChange Push(std::unique_ptr<TCommand> command, bool mayMerge = true);

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < commands_.size(); }
    // Undo and Redo do nothing when they cannot; they return what was touched.
    DesignChange Undo();
    DesignChange Redo();
    // The text of the command Undo / Redo would run; "" when none.
    std::string UndoText() const;
    std::string RedoText() const;

    void SetClean();
    bool IsClean() const { return clean_ == static_cast<long>(index_); }
    // Drops every command; the empty stack is clean.
    void Clear();

    std::size_t Count() const { return commands_.size(); }
    std::size_t Index() const { return index_; }

private:
    std::vector<std::unique_ptr<TCommand>> commands_;
    std::size_t index_ = 0;
    long clean_ = 0; // -1: unreachable
};
