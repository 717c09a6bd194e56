#include "designer/app/PropertyPanel.h"

#include <mmsystem.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "authoring/MenuIniValues.h"
#include "authoring/NoticeLayout.h"
#include "designer/model/DesignError.h"
#include "framework/system/PlatformCalls.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ColorDialog.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FontNames.h"
#include "framework/ui/Label.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Memo.h"

namespace {

constexpr UINT kRebuildMessage = WM_APP + 40;
constexpr int kMargin = 8;
constexpr int kMinLabelWidth = 110;
constexpr int kRowHeight = 26;
constexpr int kEditorHeight = 22;
constexpr int kExtraWidth = 44;
constexpr int kRowsHeight = 4000; // more than any screen: the panel clips it

std::string OptionText(const OptionEntry& option) {
    return option.parameters.empty() ? option.name : option.name + "  (" + option.parameters + ")";
}

} // namespace

TPropertyPanel::TPropertyPanel(TComponent* owner, DesignDocument& document,
                               std::function<void(ElementId)> select,
                               std::function<void(const std::string&)> report)
    : TPanel(owner), document_(document), select_(std::move(select)), report_(std::move(report)) {
    SetBevelOuter(bvNone);
    chooser_ = new TComboBox(this);
    chooser_->SetParent(this);
    chooser_->SetStyle(csDropDownList);
    chooser_->SetBounds(kMargin, kMargin, 200, kEditorHeight);
    for (ElementId id : AllElements())
        chooser_->Items()->Add(std::string(ElementName(id)));
    chooser_->OnClick = [this](TObject*) {
        const int index = chooser_->ItemIndex();
        if (index >= 0 && index < kElementCount)
            select_(AllElements()[index]);
    };
}

void TPropertyPanel::RequestRebuild() {
    if (rebuildPosted_)
        return;
    rebuildPosted_ = true;
    PostMessageA(Handle(), kRebuildMessage, 0, 0);
}

void TPropertyPanel::WndProc(TMessage& message) {
    if (message.Msg == kRebuildMessage) {
        rebuildPosted_ = false;
        Rebuild();
        return;
    }
    TPanel::WndProc(message);
}

void TPropertyPanel::Rebuild() {
    rows_.clear();
    // The rows are made on a panel not shown yet and shown in one go.
    auto rows = std::make_unique<TPanel>(nullptr);
    rows->SetBevelOuter(bvNone);
    rows->SetVisible(false);
    rows->SetParent(this);
    const int top = kMargin + kRowHeight + 2;
    rows->SetBounds(0, top, Width(), kRowsHeight);
    rowOwner_.reset();
    rowOwner_ = std::move(rows);
    const ElementId selected = document_.Selection();
    for (int i = 0; i < kElementCount; ++i)
        if (AllElements()[i] == selected)
            chooser_->SetItemIndex(i);
    int y = 4;
    const std::vector<Property>& properties = ElementProperties(selected);
    labelWidth_ = LabelColumnWidth(properties);
    rows_.reserve(properties.size());
    for (const Property& property : properties)
        AddRow(property, y);
    Refresh();
    rowOwner_->SetVisible(true);
}

// As wide as the longest label, so none is cut, and at most half the panel.
int TPropertyPanel::LabelColumnWidth(const std::vector<Property>& properties) {
    auto measure = std::make_unique<TLabel>(nullptr);
    measure->SetParent(rowOwner_.get());
    int widest = kMinLabelWidth;
    for (const Property& property : properties) {
        measure->SetCaption(property.label);
        widest = std::max(widest, measure->Width() + 4);
    }
    return std::min(widest, std::max(kMinLabelWidth, Width() / 2));
}

void TPropertyPanel::AddRow(const Property& property, int& y) {
    const size_t index = rows_.size();
    rows_.push_back(Row{property});
    Row& row = rows_.back();
    TComponent* owner = rowOwner_.get();
    const int editorLeft = kMargin + labelWidth_ + 4;
    const int editorWidth = Width() - editorLeft - kMargin;

    row.label = new TLabel(owner);
    row.label->SetParent(rowOwner_.get());
    row.label->SetCaption(property.label);
    row.label->SetBounds(kMargin, y + 4, labelWidth_, kEditorHeight - 4);

    auto withExtra = [&](const std::string& caption, std::function<void()> click) {
        row.extra = new TButton(owner);
        row.extra->SetParent(rowOwner_.get());
        row.extra->SetCaption(caption);
        row.extra->SetBounds(editorLeft + editorWidth - kExtraWidth, y, kExtraWidth, kEditorHeight);
        row.extra->OnClick = [click](TObject*) { click(); };
        return editorWidth - kExtraWidth - 4;
    };
    auto textEditor = [&](int width, bool readOnly) {
        auto* edit = new TEdit(owner);
        edit->SetParent(rowOwner_.get());
        edit->SetBounds(editorLeft, y, width, kEditorHeight);
        edit->SetReadOnly(readOnly);
        row.editor = edit;
        if (!readOnly)
            edit->OnCommit = [this, index, edit](TObject*) {
                const std::string text = edit->Text();
                Apply(rows_[index],
                      [&] { document_.SetValue(*rows_[index].property.setting, text); });
            };
        return edit;
    };
    auto choiceEditor = [&](int width, const std::vector<std::string>& choices) {
        auto* box = new TComboBox(owner);
        box->SetParent(rowOwner_.get());
        box->SetStyle(csDropDownList);
        box->SetBounds(editorLeft, y, width, kEditorHeight);
        for (const std::string& choice : choices)
            box->Items()->Add(choice);
        row.editor = box;
        box->OnClick = [this, index, box](TObject*) {
            const int picked = box->ItemIndex();
            if (picked < 0)
                return;
            const std::string value = box->Items()->Get(picked);
            Apply(rows_[index], [&] { document_.SetValue(*rows_[index].property.setting, value); });
        };
        return box;
    };

    switch (property.editor) {
    case EditorKind::Text:
    case EditorKind::Number:
        textEditor(editorWidth, false);
        break;
    case EditorKind::File:
        textEditor(withExtra("...", [this, index] { ChooseFile(rows_[index]); }), false);
        break;
    case EditorKind::Colour:
        textEditor(withExtra("...", [this, index] { ChooseColour(rows_[index]); }), false);
        break;
    case EditorKind::YesNo: {
        auto* box = new TCheckBox(owner);
        box->SetParent(rowOwner_.get());
        box->SetBounds(editorLeft, y, editorWidth, kEditorHeight);
        row.editor = box;
        box->OnClick = [this, index, box](TObject*) {
            const std::string value = box->Checked() ? "yes" : "no";
            Apply(rows_[index], [&] { document_.SetValue(*rows_[index].property.setting, value); });
        };
        break;
    }
    case EditorKind::Choice:
    case EditorKind::Sound: {
        std::vector<std::string> choices;
        for (std::string_view choice : Choices(*property.setting))
            choices.emplace_back(choice);
        int width = editorWidth;
        if (property.editor == EditorKind::Sound)
            width = withExtra("Play", [this, index] {
                const std::string name = document_.Value(rows_[index].property);
                if (!SameName(name, "none"))
                    Platform().PlaySoundA(name.c_str(), nullptr, SND_ALIAS | SND_ASYNC);
            });
        choiceEditor(width, choices);
        break;
    }
    case EditorKind::FontName:
        choiceEditor(editorWidth, ScreenFontNames());
        break;
    case EditorKind::Picture:
        textEditor(withExtra("...", [this, index] { ChoosePicture(rows_[index]); }), true);
        break;
    case EditorKind::Notice: {
        auto* memo = new TMemo(owner);
        memo->SetParent(rowOwner_.get());
        memo->SetScrollBars(ssVertical);
        memo->SetBounds(editorLeft, y, editorWidth, kEditorHeight * 4);
        row.editor = memo;
        y += kEditorHeight * 3;
        row.extra = new TButton(owner);
        row.extra->SetParent(rowOwner_.get());
        row.extra->SetCaption("Apply");
        row.extra->SetBounds(editorLeft, y + kEditorHeight + 4, 60, kEditorHeight);
        row.extra->OnClick = [this, index, memo](TObject*) {
            const std::string text = memo->Text();
            Apply(rows_[index], [&] { document_.SetNoticeText(text); });
        };
        y += kEditorHeight + 4;
        break;
    }
    case EditorKind::Options:
        AddOptionRows(row, y);
        break;
    }
    y += kRowHeight;
}

void TPropertyPanel::AddOptionRows(Row& row, int& y) {
    const size_t index = rows_.size() - 1;
    TComponent* owner = rowOwner_.get();
    const int left = kMargin + labelWidth_ + 4;
    const int width = Width() - left - kMargin;
    auto* list = new TListBox(owner);
    list->SetParent(rowOwner_.get());
    list->SetBounds(left, y, width, kEditorHeight * 4);
    row.editor = list;
    y += kEditorHeight * 4 + 4;
    auto edit = [&](const std::string& caption) {
        auto* label = new TLabel(owner);
        label->SetParent(rowOwner_.get());
        label->SetCaption(caption);
        label->SetBounds(kMargin + 16, y + 4, labelWidth_ - 16, kEditorHeight - 4);
        auto* field = new TEdit(owner);
        field->SetParent(rowOwner_.get());
        field->SetBounds(left, y, width, kEditorHeight);
        y += kRowHeight;
        return field;
    };
    row.optionName = edit("Name");
    row.optionParameters = edit("Parameters");
    list->OnClick = [this, index](TObject*) { ShowValue(rows_[index]); };

    const char* captions[] = {"Add", "Set", "Remove", "Up", "Down"};
    const int buttonWidth = (width - 4 * 4) / 5;
    for (int b = 0; b < 5; ++b) {
        auto* button = new TButton(owner);
        button->SetParent(rowOwner_.get());
        button->SetCaption(captions[b]);
        button->SetBounds(left + b * (buttonWidth + 4), y, buttonWidth, kEditorHeight);
        button->OnClick = [this, index, b, list](TObject*) {
            Row& r = rows_[index];
            const OptionEntry typed{r.optionName->Text(), r.optionParameters->Text()};
            const int at = list->ItemIndex();
            Apply(r, [&] {
                switch (b) {
                case 0:
                    document_.AddOption(typed);
                    break;
                case 1:
                    if (at >= 0)
                        document_.SetOption(static_cast<size_t>(at), typed);
                    break;
                case 2:
                    if (at >= 0)
                        document_.RemoveOption(static_cast<size_t>(at));
                    break;
                default:
                    if (at >= 0)
                        document_.MoveOption(static_cast<size_t>(at), b == 3 ? -1 : 1);
                    break;
                }
            });
            // Keep the moved or added entry selected.
            const int count = list->Items()->Count();
            if (b == 0)
                list->SetItemIndex(count - 1);
            else if (b >= 3 && at >= 0)
                list->SetItemIndex(std::clamp(at + (b == 3 ? -1 : 1), 0, count - 1));
            else if (b == 2)
                list->SetItemIndex(std::min(at, count - 1));
        };
    }
    y += 4;
}

void TPropertyPanel::Refresh() {
    for (Row& row : rows_)
        ShowValue(row);
}

void TPropertyPanel::ShowValue(Row& row) {
    const Property& property = row.property;
    if (property.editor == EditorKind::Options) {
        auto* list = static_cast<TListBox*>(row.editor);
        const int selected = list->ItemIndex();
        const std::vector<OptionEntry> options = document_.Options();
        list->Items()->Clear();
        for (const OptionEntry& option : options)
            list->Items()->Add(OptionText(option));
        list->SetItemIndex(std::min<int>(selected, static_cast<int>(options.size()) - 1));
        const int at = list->ItemIndex();
        if (at >= 0) {
            row.optionName->SetText(options[at].name);
            row.optionParameters->SetText(options[at].parameters);
        }
        return;
    }
    const std::string value = document_.Value(property);
    if (auto* edit = dynamic_cast<TEdit*>(row.editor)) {
        if (!edit->Focused() || !edit->Modified())
            edit->SetText(value);
    } else if (auto* box = dynamic_cast<TCheckBox*>(row.editor)) {
        box->SetChecked(SameName(value, "yes"));
    } else if (auto* combo = dynamic_cast<TComboBox*>(row.editor)) {
        int found = -1;
        for (int i = 0; i < combo->Items()->Count(); ++i)
            if (SameName(combo->Items()->Get(i), value))
                found = i;
        if (found < 0 && !value.empty()) {
            combo->Items()->Add(value);
            found = combo->Items()->Count() - 1;
        }
        combo->SetItemIndex(found);
    } else if (auto* memo = dynamic_cast<TMemo*>(row.editor)) {
        // A text the edit box would take long to lay out is not put into it:
        // the designer would seem hung, on every visit of the notice.
        const std::string text = document_.NoticeText();
        const NoticeShape shape = MeasureNotice(text);
        const bool editable = shape.seconds <= kNoticeEditableSeconds;
        memo->SetReadOnly(!editable);
        if (row.extra)
            row.extra->SetEnabled(editable);
        if (!editable)
            memo->SetText("The notice (" + std::to_string(shape.lines) + " lines, " +
                          std::to_string(shape.characters) + " characters, the longest " +
                          std::to_string(shape.longestLine) + ") is too long to edit here. Edit " +
                          document_.Menu().Notice().fileName +
                          " in a text editor, or open the menu again after shortening it.");
        else if (!memo->Focused())
            memo->SetText(text);
    }
}

void TPropertyPanel::Apply(Row& row, const std::function<void()>& edit) {
    try {
        edit();
    } catch (const DesignError& error) {
        report_(error.what());
        ShowValue(row);
    }
}

std::string TPropertyPanel::RelativeToMenu(const std::string& path) const {
    std::string folder = document_.Folder();
    if (folder.empty())
        return path;
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    if (path.size() > folder.size() && SameName(path.substr(0, folder.size()), folder))
        return path.substr(folder.size());
    return path;
}

void TPropertyPanel::ChooseFile(Row& row) {
    TOpenDialog dialog;
    dialog.Title = row.property.label;
    dialog.Filter = "Programs (*.exe)|*.exe|All files (*.*)|*.*";
    dialog.InitialDir = document_.Folder();
    if (!dialog.Execute(Handle()))
        return;
    const std::string value = RelativeToMenu(dialog.FileName);
    Apply(row, [&] { document_.SetValue(*row.property.setting, value); });
}

void TPropertyPanel::ChooseColour(Row& row) {
    static TColorDialog dialog; // keeps the author's custom colours
    const auto current = HashColour(document_.Value(row.property));
    if (current)
        dialog.Color = static_cast<TColor>(*current);
    if (!dialog.Execute(Handle()))
        return;
    const std::string value = HashText(static_cast<uint32_t>(dialog.Color) & 0xFFFFFF);
    Apply(row, [&] { document_.SetValue(*row.property.setting, value); });
}

void TPropertyPanel::ChoosePicture(Row& row) {
    TOpenDialog dialog;
    dialog.Title = row.property.label;
    dialog.Filter =
        "Pictures (*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|All files (*.*)|*.*";
    dialog.InitialDir = document_.Folder();
    if (!dialog.Execute(Handle()))
        return;
    const std::string path = dialog.FileName;
    Apply(row, [&] { document_.ReplacePicture(row.property.picture, path); });
}

TWinControl* TPropertyPanel::Editor(const std::string& label) const {
    for (const Row& row : rows_)
        if (row.property.label == label)
            return row.editor;
    return nullptr;
}
