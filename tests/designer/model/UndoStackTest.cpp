// The undo stack on its own: pushing, merging, dropping obsolete commands and
// the clean index, with a command that adds to one integer.
#include <gtest/gtest.h>

#include <memory>

#include "designer/model/UndoStack.h"

namespace {

class TSetNumber : public TCommand {
public:
    TSetNumber(int& target, int value, int mergeId = -1)
        : target_(target), old_(target), new_(value), mergeId_(mergeId) {}
    void Redo() override { target_ = new_; }
    void Undo() override { target_ = old_; }
    int MergeId() const override { return mergeId_; }
    bool MergeWith(const TCommand& next) override {
        new_ = static_cast<const TSetNumber&>(next).new_;
        return true;
    }
    bool Obsolete() const override { return old_ == new_; }
    std::string Text() const override { return "Set " + std::to_string(new_); }
    DesignChange Change() const override { return {DesignChange::Lines, {7}}; }

private:
    int& target_;
    int old_, new_;
    int mergeId_;
};

struct UndoStackTest : ::testing::Test {
    void Set(int value, int mergeId = -1, bool mayMerge = true) {
        stack.Push(std::make_unique<TSetNumber>(number, value, mergeId), mayMerge);
    }
    int number = 0;
    TUndoStack stack;
};

TEST_F(UndoStackTest, UndoAndRedoWalkTheCommandsAndName_them) {
    Set(1);
    Set(2);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(stack.UndoText(), "Set 2");
    EXPECT_EQ(stack.RedoText(), "");
    const DesignChange change = stack.Undo();
    EXPECT_EQ(change.lines, std::vector<int>{7});
    EXPECT_EQ(number, 1);
    EXPECT_EQ(stack.RedoText(), "Set 2");
    stack.Undo();
    EXPECT_EQ(number, 0);
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_EQ(stack.Undo().what, 0u) << "undo on an empty history changes nothing";
    stack.Redo();
    stack.Redo();
    EXPECT_EQ(number, 2);
    EXPECT_FALSE(stack.CanRedo());
    // A push after an undo discards what could be redone.
    stack.Undo();
    Set(5);
    EXPECT_EQ(stack.Count(), 2u);
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_EQ(number, 5);
}

TEST_F(UndoStackTest, CommandsOfOneMergeIdBecomeOneStep) {
    Set(1, 3);
    Set(2, 3);
    Set(3, 3);
    EXPECT_EQ(stack.Count(), 1u);
    EXPECT_EQ(stack.UndoText(), "Set 3");
    stack.Undo();
    EXPECT_EQ(number, 0) << "one undo takes back the whole merged step";

    Set(1, 3);
    Set(2, 4);
    EXPECT_EQ(stack.Count(), 2u) << "different merge ids stay apart";
    Set(3, 4, false);
    EXPECT_EQ(stack.Count(), 3u) << "a push that may not merge is a step of its own";
    Set(4);
    Set(5);
    EXPECT_EQ(stack.Count(), 5u) << "merge id -1 never merges";
}

TEST_F(UndoStackTest, ObsoleteCommandsAreDropped) {
    Set(0);
    EXPECT_EQ(stack.Count(), 0u) << "a value set to what it was is no step";
    Set(4, 9);
    Set(0, 9);
    EXPECT_EQ(stack.Count(), 0u) << "a merged step that ends where it began is dropped";
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(stack.IsClean());
}

TEST_F(UndoStackTest, CleanIndexFollowsUndoRedoAndSave) {
    EXPECT_TRUE(stack.IsClean());
    Set(1);
    EXPECT_FALSE(stack.IsClean());
    stack.SetClean();
    Set(2);
    EXPECT_FALSE(stack.IsClean());
    stack.Undo();
    EXPECT_TRUE(stack.IsClean()) << "undoing back to the saved state is clean";
    stack.Undo();
    EXPECT_FALSE(stack.IsClean());
    stack.Redo();
    EXPECT_TRUE(stack.IsClean());
}

TEST_F(UndoStackTest, ASaveStopsMergingSoTheSavedStateStaysReachable) {
    Set(1, 3);
    stack.SetClean();
    Set(2, 3);
    EXPECT_EQ(stack.Count(), 2u);
    stack.Undo();
    EXPECT_TRUE(stack.IsClean());
    EXPECT_EQ(number, 1);
}

TEST_F(UndoStackTest, CleanStatePastADiscardedCommandIsUnreachable) {
    Set(1);
    Set(2);
    stack.SetClean();
    stack.Undo();
    Set(7); // discards "Set 2", the saved state
    EXPECT_FALSE(stack.IsClean());
    stack.Undo();
    EXPECT_FALSE(stack.IsClean());
    stack.Redo();
    EXPECT_FALSE(stack.IsClean()) << "no state of the history is the saved one any more";

    // The same when a merge drops the command the saved state sat past.
    TUndoStack other;
    int value = 0;
    other.Push(std::make_unique<TSetNumber>(value, 1, 5));
    other.Push(std::make_unique<TSetNumber>(value, 2, 6));
    other.SetClean();
    other.Undo();
    other.Push(std::make_unique<TSetNumber>(value, 0, 5)); // merges into "1": obsolete
    EXPECT_EQ(other.Count(), 0u);
    EXPECT_FALSE(other.IsClean());
}

} // namespace
