#include "designer/model/UndoStack.h"

DesignChange TUndoStack::Push(std::unique_ptr<TCommand> command, bool mayMerge) {
    command->Redo();
    const DesignChange change = command->Change();
    // Whatever could be redone is gone; a clean state among it cannot come back.
    if (clean_ > static_cast<long>(index_))
        clean_ = -1;
    commands_.resize(index_);

    TCommand* top = index_ > 0 ? commands_[index_ - 1].get() : nullptr;
    // A save in between starts a new step, so the saved state stays reachable.
    const bool merge = mayMerge && top && command->MergeId() != -1 &&
                       top->MergeId() == command->MergeId() && !IsClean() &&
                       top->MergeWith(*command);
    if (merge) {
        if (top->Obsolete()) {
            commands_.pop_back();
            --index_;
            if (clean_ > static_cast<long>(index_))
                clean_ = -1;
        }
        return change;
    }
    if (command->Obsolete())
        return change;
    commands_.push_back(std::move(command));
    ++index_;
    return change;
}

DesignChange TUndoStack::Undo() {
    if (!CanUndo())
        return {};
    TCommand& command = *commands_[--index_];
    command.Undo();
    return command.Change();
}

DesignChange TUndoStack::Redo() {
    if (!CanRedo())
        return {};
    TCommand& command = *commands_[index_++];
    command.Redo();
    return command.Change();
}

std::string TUndoStack::UndoText() const {
    return CanUndo() ? commands_[index_ - 1]->Text() : std::string();
}

std::string TUndoStack::RedoText() const {
    return CanRedo() ? commands_[index_]->Text() : std::string();
}

void TUndoStack::SetClean() {
    clean_ = static_cast<long>(index_);
}

void TUndoStack::Clear() {
    commands_.clear();
    index_ = 0;
    clean_ = 0;
}
