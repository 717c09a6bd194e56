// The document the designer edits: a menu (MenuDocument), the folder it is
// saved to (empty while untitled), the undo stack, the selected element and
// the mode shown. Every change of the menu goes through a command on the
// undo stack; selection and mode are not undoable. One handler hears every
// change with what it touched.
//
// Files. menu.ini keeps its author's comments, order and spelling: a save
// rewrites only the lines of settings that changed, in place, and adds new
// keys at the end of their section. The menu's notice, pictures and extra
// entries are written on save
// only where the document's bytes differ from what was read from (or last
// written to) that file name, or the file does not exist in the folder yet:
// an author's PNG stays a PNG while its picture is unchanged. A picture
// replaced from a file is held as the BMP the launcher reads and saved beside
// menu.ini under the chosen file's name with ".bmp" (made unique among the
// menu's files). menu.ini is written last, through a temporary file and a
// rename, so a failed save never leaves a half-written menu.ini.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "authoring/Problem.h"
#include "designer/model/DesignChange.h"
#include "designer/model/DesignElement.h"
#include "designer/model/ElementPosition.h"
#include "designer/model/ElementProperties.h"
#include "designer/model/UndoStack.h"
#include "format/LaunchCommand.h"

// Whether an edit continues the previous one of the same value (typing: the
// whole typed value is one undo step) or starts a new step.
enum class EditStep : uint8_t { New, Continue };

class DesignDocument {
public:
    using ChangeHandler = std::function<void(const DesignChange&)>;

    // An untitled document holding the default menu (every line at its default).
    DesignDocument();
    ~DesignDocument();
    DesignDocument(const DesignDocument&) = delete;
    DesignDocument& operator=(const DesignDocument&) = delete;

    // Called after every change (never during one). The handler may read the
    // document but must not change it from inside the call.
    void OnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

    // --- Opening: each replaces the document (undo stack cleared, clean,
    // selection None) and returns the problems met reading it (also part of
    // Problems() until the next save). DesignError when nothing can be opened.

    // A menu folder: menu.ini and its files, or numbered entry files (1-...,
    // 2-..., opened untitled: Save asks for a folder, which gets a menu.ini).
    std::vector<Problem> Open(const std::string& folder);
    // A container taken apart into intoFolder (which must be empty or not yet
    // exist), exactly as ctrpack decompile does, then opened from there.
    std::vector<Problem> OpenContainer(const std::string& container, const std::string& intoFolder);
    // The starter menu of "ctrpack new" written into folder (empty or new),
    // then opened from there.
    std::vector<Problem> NewFromStarter(const std::string& folder);

    // --- Saving and building (DesignError naming the file on failure).

    // Writes into Folder(); DesignError when untitled.
    void Save();
    // Writes into folder (created when missing) and makes it the document's
    // folder. Files of the old folder that are unchanged are copied as they are.
    void SaveAs(const std::string& folder);
    // Builds the saved folder into the container at path, exactly as
    // "ctrpack build FOLDER path" does. DesignError when the document is
    // untitled or modified (save first) or the menu has errors.
    void BuildContainer(const std::string& path) const;

    // --- State.
    const MenuDocument& Menu() const { return menu_; }
    const std::string& Folder() const { return folder_; }
    bool Untitled() const { return folder_.empty(); }
    // The folder's last name, "Untitled" while untitled.
    std::string DisplayName() const;
    bool Modified() const { return !stack_.IsClean(); }
    // The reading problems of the last open (until the next save), then the
    // model's checks of the menu as it is now (CheckMenu).
    std::vector<Problem> Problems() const;

    ElementId Selection() const { return selection_; }
    void Select(ElementId id);
    MenuMode Mode() const { return mode_; }
    void SetMode(MenuMode mode);

    // --- Values of the property panel.

    // The property's value as menu.ini writes it (Friendly forms: yes/no,
    // #RRGGBB, sound names); a picture's file name; the notice text; "" for
    // the option list (see Options()).
    std::string Value(const Property& property) const;
    // Sets a table row's key to value as an author types it in menu.ini.
    // DesignError with the reader's or the launcher's message (and nothing
    // pushed) when the value is refused.
    void SetValue(const SettingInfo& row, const std::string& value, EditStep step = EditStep::New);

    // --- Places. Moves are clamped (ClampPosition); None is refused.
    void MoveTo(ElementId id, ElementPoint to);
    // One arrow key: dx, dy (1 or 10 pixels); every press is an undo step.
    void Nudge(ElementId id, int dx, int dy);
    // A drag: every DragTo merges into the drag's first step; EndDrag ends it
    // (the next drag or move is a step of its own); CancelDrag puts the
    // element back where the drag began and leaves no step.
    void BeginDrag(ElementId id);
    void DragTo(ElementPoint to);
    void EndDrag();
    void CancelDrag();
    bool Dragging() const { return drag_.has_value(); }

    // --- The option list ("name;parameters" lines from line 72; line 71
    // always counts them). DesignError when a name holds ";", a text a line
    // break, an index is out of range, or the menu's list ends before line 72.
    std::vector<OptionEntry> Options() const;
    void AddOption(const OptionEntry& option);
    void SetOption(std::size_t index, const OptionEntry& option);
    void RemoveOption(std::size_t index);
    // Moves the option one place up (-1) or down (+1); nothing at the ends.
    void MoveOption(std::size_t index, int delta);

    // --- Pictures and the notice.
    // Imports the file (BMP, PNG, JPEG; PictureError's message as DesignError).
    void ReplacePicture(PictureRole role, const std::string& path);
    // The notice text as its bytes (the launcher's CP1252 text with CR LF).
    std::string NoticeText() const;
    void SetNoticeText(const std::string& text, EditStep step = EditStep::New);

    // --- Undo.
    bool CanUndo() const { return stack_.CanUndo(); }
    bool CanRedo() const { return stack_.CanRedo(); }
    std::string UndoText() const { return stack_.UndoText(); }
    std::string RedoText() const { return stack_.RedoText(); }
    void Undo();
    void Redo();
    const TUndoStack& UndoStack() const { return stack_; }

private:
    struct Drag {
        ElementId id;
        int mergeId;
        std::string startLeft, startTop; // the lines' texts when the drag began
    };

    std::vector<Problem> Replace(MenuDocument menu, MenuOrigins origins, std::string folder,
                                 std::vector<Problem> problems, std::string iniText);
    void Push(std::unique_ptr<TCommand> command, bool mayMerge);
    void Notify(DesignChange change);
    void SetOptions(std::vector<std::string> tail, const std::string& text);
    void Place(ElementId id, ElementPoint to, int mergeId, const std::string& text);
    void WriteFolder(const std::string& folder);

    MenuDocument menu_;
    MenuOrigins origins_;
    // menu.ini as read from, or last written to, folder_ ("" for a menu
    // that has none yet): a save changes only the lines of what changed.
    std::string iniText_;
    std::vector<Problem> readProblems_;
    std::string folder_;
    // Each file name of the menu with the bytes the document holds for it as
    // read from, or last written to, folder_.
    std::map<std::string, std::vector<uint8_t>> savedFiles_;
    TUndoStack stack_;
    ElementId selection_ = ElementId::None;
    MenuMode mode_ = MenuMode::Launch;
    std::optional<Drag> drag_;
    int nextDragId_ = 0; // the next drag's merge id
    ChangeHandler onChange_;
};
