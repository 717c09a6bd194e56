#include "designer/app/DesignerForm.h"

#include <shlobj.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "designer/app/CanvasHost.h"
#include "designer/app/MediumDialog.h"
#include "designer/app/MenuCanvas.h"
#include "designer/app/PropertyPanel.h"
#include "designer/app/TestRun.h"
#include "designer/model/DesignError.h"
#include "format/MenuEntries.h"
#include "framework/graphics/Font.h"
#include "framework/runtime/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FolderDialog.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ShortCut.h"

namespace {

constexpr int kPanelWidth = 420;
constexpr int kProblemsHeight = 120;
constexpr UINT kOpenPendingMessage = WM_APP + 41;

// The recent menus live in the user's application data (looked up once: the
// shell's folder lookup is slow under Wine).
std::string FindRecentFilesPath() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
        return {};
    const std::string ours = std::string(folder) + "\\Ovalyn Designer";
    CreateDirectoryA(ours.c_str(), nullptr);
    return ours + "\\recent.txt";
}

const std::string& RecentFilesPath() {
    static const std::string path = FindRecentFilesPath();
    return path;
}

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

} // namespace

TDesignerForm::TDesignerForm(TComponent* owner) : TForm(owner) {
    SetName("DesignerForm");
    SetCaption(kDesignerTitle);
    SetBorderStyle(bsSizeable);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);

    canvasHost_ = new TCanvasHost(this);
    canvasHost_->SetParent(this);
    canvasHost_->SetBevelOuter(bvLowered);
    canvasHost_->SetColor(clAppWorkSpace);
    canvas_ = new TMenuCanvas(this, document_);
    canvas_->SetParent(canvasHost_);
    canvasHost_->SetContent(canvas_);
    canvas_->SetBounds(1, 1, 640, 480);
    canvas_->SetTabStop(true); // the arrow keys move the selection when it has the focus

    properties_ = new TPropertyPanel(
        this, document_, [this](ElementId id) { SelectElement(id); },
        [this](const std::string& text) { Report(text, MB_ICONWARNING); });
    properties_->SetParent(this);

    problems_ = new TListBox(this);
    problems_->SetParent(this);
    problems_->SetWordWrap(true); // a problem is one sentence, often longer than a line
    problems_->OnClick = [this](TObject*) {
        const int index = problems_->ItemIndex();
        if (index >= 0 && index < static_cast<int>(shownProblems_.size()))
            SelectElement(ElementOfLine(shownProblems_[index].configLine));
    };

    BuildMainMenu();
    document_.OnChange([this](const DesignChange& change) { DocumentChanged(change); });
    Application->OnMessage = [this](MSG& msg) { return canvas_->FilterMessage(msg); };
    OnCloseQuery = [this](TObject*, bool& canClose) { canClose = MayDiscard(); };

    if (const std::string& path = RecentFilesPath(); !path.empty()) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        recent_ = RecentFiles::FromText(text.str());
    }
    UpdateRecentMenu();
    SetBounds(40, 30, 640 + kPanelWidth + 40, 480 + kProblemsHeight + 90);
    canvas_->Rebuild();
    properties_->RequestRebuild();
    ShowProblems();
    UpdateTitleAndCommands();
    LayOut();
}

TDesignerForm::~TDesignerForm() {
    if (Application)
        Application->OnMessage = nullptr;
    document_.OnChange(nullptr);
}

void TDesignerForm::BuildMainMenu() {
    menu_ = new TMainMenu(this);
    TMenuItem* root = menu_->Items();
    auto guarded = [this](std::function<void()> command) {
        return [this, command](TObject*) { Guarded(command); };
    };

    TMenuItem* file = root->AddItem("&File");
    file->AddItem("&New menu...", ShortCut('N', scCtrl), guarded([this] { NewMenu(); }));
    file->AddItem("&Open menu folder...", ShortCut('O', scCtrl), guarded([this] { OpenMenu(); }));
    file->AddItem("Open &container...", scNone, guarded([this] { OpenContainer(); }));
    recentItem_ = file->AddItem("&Recent menus");
    file->AddItem("-");
    file->AddItem("&Save", ShortCut('S', scCtrl), guarded([this] { Save(); }));
    file->AddItem("Save &as...", scNone, guarded([this] { SaveAs(); }));
    file->AddItem("-");
    file->AddItem("&Build container...", ShortCut('B', scCtrl),
                  guarded([this] { BuildContainer(); }));
    file->AddItem("&Test in the launcher", ShortCut(VK_F5), guarded([this] { TestMenu(); }));
    file->AddItem("Build &medium...", scNone, guarded([this] { BuildMediumCommand(*this); }));
    file->AddItem("-");
    file->AddItem("E&xit", scNone, [this](TObject*) { Close(); });

    TMenuItem* edit = root->AddItem("&Edit");
    undoItem_ = edit->AddItem("&Undo", ShortCut('Z', scCtrl), guarded([this] {
                                  if (document_.CanUndo())
                                      document_.Undo();
                              }));
    redoItem_ = edit->AddItem("&Redo", ShortCut('Y', scCtrl), guarded([this] {
                                  if (document_.CanRedo())
                                      document_.Redo();
                              }));
    edit->AddItem("-");
    edit->AddItem("Select &window", ShortCut(VK_ESCAPE, scShift),
                  [this](TObject*) { SelectElement(ElementId::None); });

    TMenuItem* view = root->AddItem("&View");
    launchModeItem_ = view->AddItem("&Launch mode", ShortCut('1', scCtrl),
                                    [this](TObject*) { document_.SetMode(MenuMode::Launch); });
    requirementModeItem_ =
        view->AddItem("&Requirement mode (DirectX too old)", ShortCut('2', scCtrl),
                      [this](TObject*) { document_.SetMode(MenuMode::Requirement); });
    SetMenu(menu_);
}

void TDesignerForm::WndProc(TMessage& message) {
    if (message.Msg == kOpenPendingMessage) {
        const std::string folder = std::move(pendingOpen_);
        pendingOpen_.clear();
        if (!folder.empty())
            OpenFolder(folder);
        return;
    }
    TForm::WndProc(message);
    if (message.Msg == WM_SIZE)
        LayOut();
}

void TDesignerForm::LayOut() {
    const int width = ClientWidth(), height = ClientHeight();
    const int canvasWidth = std::max(width - kPanelWidth, 100);
    const int canvasHeight = std::max(height - kProblemsHeight, 100);
    canvasHost_->SetBounds(0, 0, canvasWidth, canvasHeight);
    problems_->SetBounds(0, canvasHeight, canvasWidth, height - canvasHeight);
    properties_->SetBounds(canvasWidth, 0, width - canvasWidth, height);
}

void TDesignerForm::DocumentChanged(const DesignChange& change) {
    canvas_->DocumentChanged(change);
    canvasHost_->UpdateScrollBars(); // a rebuilt menu may be of another size
    if (change.Has(DesignChange::Selection) || change.Has(DesignChange::All))
        properties_->RequestRebuild();
    else if (change.what & (DesignChange::Lines | DesignChange::Options | DesignChange::Pictures |
                            DesignChange::Notice))
        properties_->Refresh();
    // A change of mode counts too: the canvas may fail (or build) in the other.
    if (change.what & ~DesignChange::Selection)
        ShowProblems();
    UpdateTitleAndCommands();
}

void TDesignerForm::ShowProblems() {
    shownProblems_ = document_.Problems();
    if (!canvas_->BuildError().empty()) {
        Problem building;
        building.text = "the launcher cannot build this menu: " + canvas_->BuildError();
        shownProblems_.insert(shownProblems_.begin(), building);
    }
    problems_->Items()->Clear();
    for (const Problem& problem : shownProblems_)
        // Warnings say so themselves.
        problems_->Items()->Add((problem.severity == Severity::Error ? "Error: " : "") +
                                problem.Format());
    if (shownProblems_.empty())
        problems_->Items()->Add("No problems: the launcher takes this menu.");
}

void TDesignerForm::UpdateTitleAndCommands() {
    SetCaption(document_.DisplayName() + (document_.Modified() ? " *" : "") + " - " +
               kDesignerTitle);
    undoItem_->SetEnabled(document_.CanUndo());
    redoItem_->SetEnabled(document_.CanRedo());
    undoItem_->SetCaption(document_.CanUndo() ? "&Undo " + document_.UndoText() : "&Undo");
    redoItem_->SetCaption(document_.CanRedo() ? "&Redo " + document_.RedoText() : "&Redo");
    launchModeItem_->SetChecked(document_.Mode() == MenuMode::Launch);
    requirementModeItem_->SetChecked(document_.Mode() == MenuMode::Requirement);
}

void TDesignerForm::SelectElement(ElementId id) {
    if (id != ElementId::None && !ElementInMode(id, document_.Mode()))
        document_.SetMode(document_.Mode() == MenuMode::Launch ? MenuMode::Requirement
                                                               : MenuMode::Launch);
    document_.Select(id);
}

void TDesignerForm::Report(const std::string& text, unsigned icon) {
    Application->MessageBox(text, kDesignerTitle, MB_OK | icon);
}

void TDesignerForm::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const DesignError& error) {
        Report(error.what(), MB_ICONSTOP);
    } catch (const Exception& error) {
        Report(error.Message(), MB_ICONSTOP);
    } catch (const std::exception& error) {
        Report(error.what(), MB_ICONSTOP);
    }
}

bool TDesignerForm::MayDiscard() {
    if (!document_.Modified())
        return true;
    const int answer =
        Application->MessageBox("Save the changes to " + document_.DisplayName() + "?",
                                kDesignerTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDNO)
        return true;
    bool saved = false;
    Guarded([&] { saved = Save(); });
    return saved;
}

void TDesignerForm::Remember(const std::string& folder) {
    const std::vector<std::string> before = recent_.Items();
    recent_.Add(folder);
    if (recent_.Items() == before)
        return; // already first: the file and the menu stay as they are
    if (const std::string& path = RecentFilesPath(); !path.empty()) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << recent_.ToText();
    }
    UpdateRecentMenu();
}

void TDesignerForm::UpdateRecentMenu() {
    while (recentItem_->Count() > 0)
        delete recentItem_->Items(0);
    if (recent_.Items().empty()) {
        recentItem_->AddItem("(none)")->SetEnabled(false);
        return;
    }
    int number = 1;
    for (const std::string& folder : recent_.Items()) {
        const std::string caption = "&" + std::to_string(number++) + " " + folder;
        recentItem_->AddItem(caption, scNone, [this, folder](TObject*) {
            // Deferred: opening rebuilds this very menu.
            pendingOpen_ = folder;
            PostMessageA(Handle(), kOpenPendingMessage, 0, 0);
        });
    }
}

bool TDesignerForm::OpenFolder(const std::string& folder) {
    if (!MayDiscard())
        return false;
    bool opened = false;
    Guarded([&] {
        document_.Open(WithoutTrailingSlash(folder));
        opened = true;
    });
    if (opened && !document_.Untitled())
        Remember(document_.Folder());
    return opened;
}

void TDesignerForm::NewMenu() {
    if (!MayDiscard())
        return;
    TFolderDialog dialog;
    dialog.Title = "A new, empty folder for the menu";
    if (!dialog.Execute(Handle()))
        return;
    document_.NewFromStarter(WithoutTrailingSlash(dialog.Folder));
    Remember(document_.Folder());
}

void TDesignerForm::OpenMenu() {
    TFolderDialog dialog;
    dialog.Title = "The menu folder (menu.ini or numbered files)";
    dialog.Folder = document_.Folder();
    if (dialog.Execute(Handle()))
        OpenFolder(dialog.Folder);
}

void TDesignerForm::OpenContainer() {
    if (!MayDiscard())
        return;
    TOpenDialog open;
    open.Title = "Open a container";
    open.Filter = "Containers (*.ctr)|*.ctr|All files (*.*)|*.*";
    if (!open.Execute(Handle()))
        return;
    TFolderDialog into;
    into.Title = "An empty folder to take the container apart into";
    if (!into.Execute(Handle()))
        return;
    document_.OpenContainer(open.FileName, WithoutTrailingSlash(into.Folder));
    Remember(document_.Folder());
}

bool TDesignerForm::Save() {
    if (document_.Untitled())
        return SaveAs();
    document_.Save();
    return true;
}

bool TDesignerForm::SaveAs() {
    TFolderDialog dialog;
    dialog.Title = "The folder to save the menu in";
    dialog.Folder = document_.Folder();
    if (!dialog.Execute(Handle()))
        return false;
    document_.SaveAs(WithoutTrailingSlash(dialog.Folder));
    Remember(document_.Folder());
    return true;
}

void TDesignerForm::BuildContainer() {
    if (document_.Untitled() || document_.Modified()) {
        if (!Save())
            return;
    }
    TSaveDialog dialog;
    dialog.Title = "Build the container";
    dialog.Filter = "Containers (*.ctr)|*.ctr|All files (*.*)|*.*";
    dialog.DefaultExt = "ctr";
    dialog.FileName = lastContainer_.empty() ? kContainerName : lastContainer_;
    if (lastContainer_.empty())
        dialog.InitialDir = document_.Folder();
    if (!dialog.Execute(Handle()))
        return;
    document_.BuildContainer(dialog.FileName);
    lastContainer_ = dialog.FileName;
}

void TDesignerForm::TestMenu() {
    RunMenuTest(document_.Menu(), LauncherBesideDesigner());
    ++testRuns_;
}
