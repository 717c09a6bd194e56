// One undoable change of the design document. Redo applies it (also the
// first time, when the undo stack pushes it), Undo takes it back.
#pragma once

#include <string>

#include "designer/model/DesignChange.h"

class TCommand {
public:
    virtual ~TCommand() = default;

    virtual void Redo() = 0;
    virtual void Undo() = 0;
    // Commands of one id may merge; -1 never merges.
    virtual int MergeId() const { return -1; }
    // Takes over next (already applied) so that this one command undoes both;
    // false when it cannot.
    virtual bool MergeWith(const TCommand& next) { return false; }
    // True when applying it changes nothing (a value that ends where it began):
    // the stack then drops it.
    virtual bool Obsolete() const { return false; }
    // For "Undo <text>" in the Edit menu: "Move Launch button", "Change
    // Caption of Quit button".
    virtual std::string Text() const = 0;
    // What Redo and Undo touch.
    virtual DesignChange Change() const = 0;
};
