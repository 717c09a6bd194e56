// Edits of the design document: each command kind applied and undone gives
// the configuration list back byte for byte; typed values, drags and nudges
// make the steps an author expects; refused values push nothing.
#include <gtest/gtest.h>

#include "designer/model/DesignDocument.h"
#include "designer/model/DesignError.h"

namespace {

const SettingInfo& Row(SettingId id, KeyPart part = KeyPart::Whole) {
    for (const SettingInfo& row : SettingTable())
        if (row.id == id && row.part == part)
            return row;
    throw std::logic_error("no such row");
}

std::string Lines(const DesignDocument& document) {
    const std::vector<uint8_t> bytes = document.Menu().ConfigurationList();
    return std::string(bytes.begin(), bytes.end());
}

struct DocumentEditTest : ::testing::Test {
    DocumentEditTest() {
        document.OnChange([this](const DesignChange& change) { changes.push_back(change); });
    }
    // Applies edit, checks undo gives the list back and redo the edited one.
    template <class Edit> void ExpectUndoable(Edit edit, const char* what) {
        const std::string before = Lines(document);
        const std::size_t steps = document.UndoStack().Index();
        edit();
        const std::string after = Lines(document);
        EXPECT_NE(after, before) << what << " changed nothing";
        EXPECT_EQ(document.UndoStack().Index(), steps + 1) << what << " is not one step";
        document.Undo();
        EXPECT_EQ(Lines(document), before) << "undo of " << what;
        document.Redo();
        EXPECT_EQ(Lines(document), after) << "redo of " << what;
    }
    DesignDocument document;
    std::vector<DesignChange> changes;
};

TEST_F(DocumentEditTest, EveryCommandKindUndoesByteForByte) {
    ExpectUndoable([&] { document.SetValue(Row(SettingId::QuitCaption), "Leave"); }, "caption");
    ExpectUndoable([&] { document.SetValue(Row(SettingId::ButtonFontColor), "#FF8000"); },
                   "colour");
    EXPECT_EQ(document.Menu().Text(SettingId::ButtonFontColor), "$000080FF");
    ExpectUndoable([&] { document.MoveTo(ElementId::Quit, {33, 44}); }, "move");
    ExpectUndoable([&] { document.Nudge(ElementId::CheckBox, 10, 0); }, "nudge");
    ExpectUndoable([&] { document.AddOption({"Windowed", "-window"}); }, "add option");
    ExpectUndoable([&] { document.AddOption({"Full screen", ""}); }, "second option");
    ExpectUndoable([&] { document.SetOption(1, {"Full", "-full"}); }, "edit option");
    ExpectUndoable([&] { document.MoveOption(1, -1); }, "move option");
    ExpectUndoable([&] { document.RemoveOption(0); }, "remove option");
    ExpectUndoable(
        [&] { document.SetValue(Row(SettingId::Sounds, KeyPart::PressSound), "SYSTEMHAND"); },
        "sound");
    EXPECT_EQ(document.Menu().Text(SettingId::Sounds), "0030");
}

TEST_F(DocumentEditTest, CompanionKeysRecombineTheLineAsTheReaderDoes) {
    const SettingInfo& size = Row(SettingId::ButtonFontSize);
    const SettingInfo& bold = Row(SettingId::ButtonFontSize, KeyPart::Bold);
    document.SetValue(size, "12");
    document.SetValue(bold, "yes");
    EXPECT_EQ(document.Menu().Text(SettingId::ButtonFontSize), "-12");
    Property property;
    property.setting = &size;
    EXPECT_EQ(document.Value(property), "12");
    property.setting = &bold;
    EXPECT_EQ(document.Value(property), "yes");
    document.SetValue(size, "14");
    EXPECT_EQ(document.Menu().Text(SettingId::ButtonFontSize), "-14") << "bold stays";
    document.SetValue(bold, "no");
    EXPECT_EQ(document.Menu().Text(SettingId::ButtonFontSize), "14");

    const SettingInfo& shown = Row(SettingId::CheckBoxFontColor, KeyPart::Shown);
    document.SetValue(shown, "no");
    EXPECT_EQ(document.Menu().Text(SettingId::CheckBoxFontColor), "0");
    document.SetValue(shown, "yes");
    EXPECT_EQ(document.Menu().Text(SettingId::CheckBoxFontColor), "1");
    document.SetValue(Row(SettingId::CheckBoxFontColor), "#0000FF");
    EXPECT_EQ(document.Menu().Text(SettingId::CheckBoxFontColor), "16711680");
    property.setting = &Row(SettingId::CheckBoxFontColor);
    EXPECT_EQ(document.Value(property), "#0000FF");

    document.SetValue(Row(SettingId::CheckBoxCaption), "\"  spaced\"");
    EXPECT_EQ(document.Menu().Text(SettingId::CheckBoxCaption), "  spaced");
    property.setting = &Row(SettingId::CheckBoxCaption);
    EXPECT_EQ(document.Value(property), "\"  spaced\"") << "shown as menu.ini writes it";
}

TEST_F(DocumentEditTest, RefusedValuesGiveTheMessageAndPushNothing) {
    document.SetValue(Row(SettingId::CheckBoxFontColor, KeyPart::Shown), "yes");
    const std::string before = Lines(document);
    auto refused = [&](const SettingInfo& row, const std::string& value, const char* words) {
        try {
            document.SetValue(row, value);
            ADD_FAILURE() << row.label << " took \"" << value << "\"";
        } catch (const DesignError& error) {
            EXPECT_NE(std::string(error.what()).find(words), std::string::npos)
                << row.label << " = \"" << value << "\": " << error.what();
        }
    };
    refused(Row(SettingId::QuitLeft), "70000", "outside 0..65535");
    refused(Row(SettingId::QuitLeft), "left", "no integer");
    refused(Row(SettingId::QuitShown), "maybe", "no Boolean");
    refused(Row(SettingId::ButtonFontSize, KeyPart::Bold), "perhaps", "neither yes nor no");
    refused(Row(SettingId::Sounds, KeyPart::StartSound), "BEEP", "is no sound");
    refused(Row(SettingId::NoticeWidth), "wide", "no integer");
    refused(Row(SettingId::CheckBoxFontColor), "#000000", "hides the check box");
    refused(Row(SettingId::WindowCaption), "two\nlines", "line break");
    document.SetValue(Row(SettingId::ButtonFontSize), "0");
    refused(Row(SettingId::ButtonFontSize, KeyPart::Bold), "yes", "cannot be bold");
    document.Undo();
    EXPECT_EQ(Lines(document), before);
    EXPECT_EQ(document.UndoStack().Index(), 1u) << "a refused value pushed a step";
    EXPECT_THROW(document.MoveTo(ElementId::None, {1, 1}), DesignError);
    EXPECT_THROW(document.AddOption({"a;b", ""}), DesignError);
    EXPECT_THROW(document.RemoveOption(0), DesignError);
    EXPECT_TRUE(document.CanRedo()) << "a refused edit discarded the redo step";
}

TEST_F(DocumentEditTest, ATypedValueIsOneStepAndAValueThatEndsWhereItBeganIsNone) {
    const SettingInfo& caption = Row(SettingId::WindowCaption);
    document.SetValue(caption, "M");
    document.SetValue(caption, "My", EditStep::Continue);
    document.SetValue(caption, "My menu", EditStep::Continue);
    EXPECT_EQ(document.UndoStack().Count(), 1u);
    document.SetValue(caption, "Other");
    EXPECT_EQ(document.UndoStack().Count(), 2u) << "a new edit is a new step";
    document.SetValue(Row(SettingId::FontName), "Arial", EditStep::Continue);
    EXPECT_EQ(document.UndoStack().Count(), 3u) << "another line never merges";
    document.Undo();
    document.Undo();
    EXPECT_EQ(document.Menu().Text(SettingId::WindowCaption), "My menu");
    document.Undo();
    EXPECT_EQ(document.Menu().Text(SettingId::WindowCaption), "");

    document.SetValue(caption, "X");
    document.SetValue(caption, "", EditStep::Continue);
    EXPECT_FALSE(document.CanUndo()) << "typed and deleted again: no step";
    EXPECT_FALSE(document.Modified());
    document.SetValue(caption, "");
    EXPECT_FALSE(document.CanUndo()) << "the same value again: no step";
}

TEST_F(DocumentEditTest, ADragIsOneStepAndNeverMergesWithTheNextMove) {
    document.MoveTo(ElementId::Quit, {10, 10});
    document.BeginDrag(ElementId::Quit);
    for (int x = 11; x <= 60; ++x)
        document.DragTo({x, x * 2});
    document.EndDrag();
    EXPECT_EQ(document.UndoStack().Count(), 2u);
    EXPECT_EQ(document.UndoText(), "Move Quit button");
    document.BeginDrag(ElementId::Quit);
    document.DragTo({70, 70});
    document.DragTo({80, 80});
    document.EndDrag();
    document.Nudge(ElementId::Quit, 1, 0);
    document.Nudge(ElementId::Quit, 1, 0);
    EXPECT_EQ(document.UndoStack().Count(), 5u) << "each drag and each key press one step";
    EXPECT_EQ(*ElementPosition(document.Menu(), ElementId::Quit), (ElementPoint{82, 80}));
    document.Undo();
    document.Undo();
    document.Undo();
    EXPECT_EQ(*ElementPosition(document.Menu(), ElementId::Quit), (ElementPoint{60, 120}));
    document.Undo();
    EXPECT_EQ(*ElementPosition(document.Menu(), ElementId::Quit), (ElementPoint{10, 10}));
}

TEST_F(DocumentEditTest, ACancelledDragLeavesNoStep) {
    const std::string before = Lines(document);
    document.BeginDrag(ElementId::Notice);
    document.DragTo({1, 2});
    document.DragTo({3, 4});
    document.CancelDrag();
    EXPECT_EQ(Lines(document), before);
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.Modified());
}

TEST_F(DocumentEditTest, MovesAreClampedToWhatTheLauncherAccepts) {
    document.MoveTo(ElementId::Web, {-20, 99999});
    EXPECT_EQ(document.Menu().Text(SettingId::WebLeft), "0");
    EXPECT_EQ(document.Menu().Text(SettingId::WebTop), "65535");
    document.Nudge(ElementId::Web, -10, 10);
    EXPECT_EQ(document.Menu().Text(SettingId::WebLeft), "0");
    EXPECT_EQ(document.Menu().Text(SettingId::WebTop), "65535");
    document.MoveTo(ElementId::Options, {-20, 3000000000});
    EXPECT_EQ(document.Menu().Text(SettingId::OptionsLeft), "-20");
    EXPECT_EQ(document.Menu().Text(SettingId::OptionsTop), "2147483647");
}

TEST_F(DocumentEditTest, OptionEditsKeepTheCountLine) {
    document.AddOption({"Windowed", "-window"});
    EXPECT_EQ(document.Menu().Text(SettingId::OptionCount), "1");
    document.AddOption({"Safe", "-safe -nosound"});
    document.AddOption({"Plain", ""});
    EXPECT_EQ(document.Menu().Text(SettingId::OptionCount), "3");
    EXPECT_EQ(document.Menu().Tail(),
              (std::vector<std::string>{"Windowed;-window", "Safe;-safe -nosound", "Plain"}));
    document.MoveOption(0, +1);
    document.MoveOption(0, -1); // at the top: nothing
    EXPECT_EQ(document.Options()[0], (OptionEntry{"Safe", "-safe -nosound"}));
    document.RemoveOption(2);
    EXPECT_EQ(document.Menu().Text(SettingId::OptionCount), "2");
    EXPECT_TRUE(ElementShown(document.Menu(), ElementId::Options, MenuMode::Launch));
    document.RemoveOption(0);
    EXPECT_EQ(document.Menu().Text(SettingId::OptionCount), "1");
    EXPECT_FALSE(ElementShown(document.Menu(), ElementId::Options, MenuMode::Launch));
    while (document.CanUndo())
        document.Undo();
    EXPECT_EQ(document.Menu().Text(SettingId::OptionCount), "0");
    EXPECT_TRUE(document.Menu().Tail().empty());
}

TEST_F(DocumentEditTest, NoticeTextIsOneStepPerTypedText) {
    document.SetNoticeText("Please");
    document.SetNoticeText("Please install\r\nDirectX", EditStep::Continue);
    EXPECT_EQ(document.UndoStack().Count(), 1u);
    EXPECT_EQ(document.NoticeText(), "Please install\r\nDirectX");
    EXPECT_EQ(document.Menu().Notice().fileName, "notice.txt");
    document.Undo();
    EXPECT_EQ(document.NoticeText(), "");
    EXPECT_EQ(document.Menu().Notice().fileName, "");
}

TEST_F(DocumentEditTest, ChangesTellWhatTheyTouched) {
    document.SetValue(Row(SettingId::QuitCaption), "Bye");
    ASSERT_FALSE(changes.empty());
    EXPECT_TRUE(changes.back().Has(DesignChange::Lines));
    EXPECT_TRUE(changes.back().Has(DesignChange::Modified));
    EXPECT_EQ(changes.back().lines, std::vector<int>{LineOf(SettingId::QuitCaption)});
    document.AddOption({"A", ""});
    EXPECT_TRUE(changes.back().Has(DesignChange::Options));
    document.Select(ElementId::Web);
    EXPECT_EQ(changes.back().what, static_cast<uint32_t>(DesignChange::Selection));
    const std::size_t count = changes.size();
    document.Select(ElementId::Web);
    EXPECT_EQ(changes.size(), count) << "selecting the selected element again is no change";
    document.SetMode(MenuMode::Requirement);
    EXPECT_EQ(changes.back().what, static_cast<uint32_t>(DesignChange::Mode));
    EXPECT_EQ(document.UndoStack().Count(), 2u) << "selection and mode are not undoable";
}

} // namespace
