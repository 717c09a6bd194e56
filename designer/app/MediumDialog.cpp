#include "designer/app/MediumDialog.h"

#include <windows.h>

#include <algorithm>

#include "designer/app/DesignerForm.h"
#include "designer/app/TestRun.h"
#include "designer/model/DesignError.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FolderDialog.h"
#include "framework/ui/Label.h"

namespace {

constexpr int kMargin = 10;
constexpr int kCaptionWidth = 110;
constexpr int kEditWidth = 300;
constexpr int kRowHeight = 28;

// What this Windows build leaves to the Linux tool, said where the author
// looks for it.
constexpr const char* kLinuxNote =
    "ISO images and signed launchers need the Linux build of ctrpack (ctrpack media --iso, "
    "--sign); the folder built here can be imaged and signed there as it is.";

} // namespace

TMediumDialog::TMediumDialog(TComponent* owner) : TForm(owner) {
    SetName("MediumDialog");
    SetCaption("Build medium");
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu});
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);

    int top = kMargin;
    outFolder_ = AddRow("&Output folder:", top, "...", true);
    launcherName_ = AddRow("&Launcher name:", top, nullptr, false);
    launcherName_->SetText("Launcher.exe");
    content_ = AddRow("&Content folder:", top, "...", true);
    label_ = AddRow("&Volume label:", top, nullptr, false);
    icon_ = AddRow("&Icon file (.ico):", top, "...", false);

    auto* note = new TLabel(this);
    note->SetParent(this);
    note->SetWordWrap(true);
    note->SetBounds(kMargin, top + 4, kCaptionWidth + kEditWidth + 40, 30);
    note->SetCaption(kLinuxNote);
    top += 44;

    ok_ = new TButton(this);
    ok_->SetParent(this);
    ok_->SetName("OkButton");
    ok_->SetCaption("Build");
    ok_->SetDefault(true);
    ok_->SetBounds(kCaptionWidth + kEditWidth - 130, top, 80, 24);
    ok_->OnClick = [this](TObject*) { SetModalResult(mrOk); };
    auto* cancel = new TButton(this);
    cancel->SetParent(this);
    cancel->SetName("CancelButton");
    cancel->SetCaption("Cancel");
    cancel->SetBounds(kCaptionWidth + kEditWidth - 40, top, 80, 24);
    cancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
    SetClientWidth(kCaptionWidth + kEditWidth + 40 + 2 * kMargin);
    SetClientHeight(top + 24 + kMargin);
}

TEdit* TMediumDialog::AddRow(const std::string& caption, int& top, const char* browse,
                             bool folder) {
    auto* text = new TLabel(this);
    text->SetParent(this);
    text->SetBounds(kMargin, top + 4, kCaptionWidth, 16);
    text->SetCaption(caption);
    auto* edit = new TEdit(this);
    edit->SetParent(this);
    edit->SetBounds(kMargin + kCaptionWidth, top, kEditWidth, 22);
    text->SetFocusControl(edit);
    if (browse) {
        auto* button = new TButton(this);
        button->SetParent(this);
        button->SetCaption(browse);
        button->SetBounds(kMargin + kCaptionWidth + kEditWidth + 6, top, 30, 22);
        std::string title = caption;
        title.erase(std::remove(title.begin(), title.end(), '&'), title.end());
        button->OnClick = [this, edit, folder, title](TObject*) { Browse(edit, folder, title); };
    }
    top += kRowHeight;
    return edit;
}

void TMediumDialog::Browse(TEdit* edit, bool folder, const std::string& title) {
    if (folder) {
        TFolderDialog dialog;
        dialog.Title = title;
        dialog.Folder = edit->Text();
        if (dialog.Execute(Handle()))
            edit->SetText(dialog.Folder);
        return;
    }
    TOpenDialog dialog;
    dialog.Title = title;
    dialog.Filter = "Icons (*.ico)|*.ico|All files (*.*)|*.*";
    dialog.FileName = edit->Text();
    if (dialog.Execute(Handle()))
        edit->SetText(dialog.FileName);
}

MediumFields TMediumDialog::Fields() const {
    MediumFields fields;
    fields.outFolder = outFolder_->Text();
    fields.launcherName = launcherName_->Text();
    fields.content = content_->Text();
    fields.label = label_->Text();
    fields.icon = icon_->Text();
    return fields;
}

void TMediumDialog::SetFields(const MediumFields& fields) {
    outFolder_->SetText(fields.outFolder);
    launcherName_->SetText(fields.launcherName.empty() ? "Launcher.exe" : fields.launcherName);
    content_->SetText(fields.content);
    label_->SetText(fields.label);
    icon_->SetText(fields.icon);
}

bool TMediumDialog::Execute(const std::string& menuFolder, const std::string& launcher,
                            std::string& report) {
    for (;;) {
        if (ShowModal() != mrOk)
            return false;
        try {
            report = BuildMediumFromFields(Fields(), menuFolder, launcher);
            return true;
        } catch (const DesignError& error) {
            Application->MessageBox(error.what(), "Build medium", MB_OK | MB_ICONSTOP);
        }
    }
}

void BuildMediumCommand(TDesignerForm& designer) {
    DesignDocument& document = designer.Document();
    if (document.Untitled() || document.Modified()) {
        if (!designer.Save())
            return;
    }
    // The author's last choices, for the next medium of this session.
    static MediumFields last;
    TMediumDialog dialog(nullptr);
    dialog.AfterConstruction();
    dialog.SetFields(last);
    std::string report;
    const bool built = dialog.Execute(document.Folder(), LauncherBesideDesigner(), report);
    last = dialog.Fields();
    if (built)
        Application->MessageBox(report, kDesignerTitle, MB_OK | MB_ICONINFORMATION);
}
