// The property panel: an element chooser, then one row for each property of
// the selected element (the window's own when nothing is selected), each with
// the editor its kind wants. A committed edit is one undo step through the
// document; the rows show the document's values again after every change.
// Rows are rebuilt from a posted message, never inside an editor's own event,
// because rebuilding frees the editors.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "designer/model/DesignDocument.h"
#include "framework/ui/Panel.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListBox;
class TMemo;

class TPropertyPanel : public TPanel {
public:
    // select: how the panel's element chooser selects (the form also shows
    // the mode the element needs). report: shows an edit the document refused.
    TPropertyPanel(TComponent* owner, DesignDocument& document,
                   std::function<void(ElementId)> select,
                   std::function<void(const std::string&)> report);
    const char* ClassName() const override { return "TPropertyPanel"; }

    // Rows for the current selection, built on the next turn of the loop.
    void RequestRebuild();
    // Every row shows the document's value (a field being typed in keeps its text).
    void Refresh();

    // The row editors, for tests: the first editor of the property labelled label.
    TWinControl* Editor(const std::string& label) const;
    TComboBox* ElementChooser() const { return chooser_; }

    void WndProc(TMessage& message) override;

private:
    struct Row {
        Property property;
        TLabel* label = nullptr;
        TWinControl* editor = nullptr; // TEdit, TCheckBox, TComboBox, TMemo or TListBox
        TButton* extra = nullptr;      // "...", "Play" or "Apply"
        // The option list's own editors.
        TEdit* optionName = nullptr;
        TEdit* optionParameters = nullptr;
    };

    void Rebuild();
    int LabelColumnWidth(const std::vector<Property>& properties);
    void AddRow(const Property& property, int& y);
    void AddOptionRows(Row& row, int& y);
    void ShowValue(Row& row);
    // Runs an edit; a refused one is reported and the row shows the value again.
    void Apply(Row& row, const std::function<void()>& edit);
    void ChooseFile(Row& row);
    void ChooseColour(Row& row);
    void ChoosePicture(Row& row);
    std::string RelativeToMenu(const std::string& path) const;

    DesignDocument& document_;
    std::function<void(ElementId)> select_;
    std::function<void(const std::string&)> report_;
    TComboBox* chooser_ = nullptr;
    // The rows' controls are owned by the panel they are shown on, replaced
    // on every rebuild.
    std::unique_ptr<TPanel> rowOwner_;
    std::vector<Row> rows_;
    int labelWidth_ = 0; // the label column of the rows shown
    bool rebuildPosted_ = false;
};
