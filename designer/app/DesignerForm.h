// The designer's main window: the menu bar, the canvas showing the menu as
// the launcher builds it, the property panel, and the problems list. It owns
// the document and turns its changes into what each part shows.
#pragma once

#include <memory>
#include <string>

#include "designer/model/DesignDocument.h"
#include "designer/model/RecentFiles.h"
#include "framework/ui/Form.h"

class TCanvasHost;
class TListBox;
class TMainMenu;
class TMenuCanvas;
class TMenuItem;
class TPanel;
class TPropertyPanel;

inline constexpr const char* kDesignerTitle = "Ovalyn Menu Designer";

class TDesignerForm : public TForm {
public:
    explicit TDesignerForm(TComponent* owner);
    ~TDesignerForm() override;
    const char* ClassName() const override { return "TDesignerForm"; }

    DesignDocument& Document() { return document_; }
    TMenuCanvas* Canvas() const { return canvas_; }
    TPropertyPanel* Properties() const { return properties_; }
    TListBox* ProblemsList() const { return problems_; }

    // Opens a menu folder (menu.ini or numbered files), asking first about
    // unsaved changes; problems are shown, not raised. False when nothing was opened.
    bool OpenFolder(const std::string& folder);
    // Selects the element, switching to the mode that shows it.
    void SelectElement(ElementId id);

    // The commands of the menu bar.
    void NewMenu();
    void OpenMenu();
    void OpenContainer();
    bool Save();
    bool SaveAs();
    void BuildContainer();
    void TestMenu();

    void WndProc(TMessage& message) override;

private:
    void BuildMainMenu();
    void LayOut();
    void DocumentChanged(const DesignChange& change);
    void ShowProblems();
    void UpdateTitleAndCommands();
    void UpdateRecentMenu();
    void Remember(const std::string& folder);
    // Asks about unsaved changes: true when the caller may go on.
    bool MayDiscard();
    // Runs a command; a DesignError or a framework error is shown in a box.
    void Guarded(const std::function<void()>& command);
    void Report(const std::string& text, unsigned icon);

    DesignDocument document_;
    RecentFiles recent_;
    TMainMenu* menu_ = nullptr;
    TMenuItem* undoItem_ = nullptr;
    TMenuItem* redoItem_ = nullptr;
    TMenuItem* launchModeItem_ = nullptr;
    TMenuItem* requirementModeItem_ = nullptr;
    TMenuItem* recentItem_ = nullptr;
    TCanvasHost* canvasHost_ = nullptr;
    TMenuCanvas* canvas_ = nullptr;
    TPropertyPanel* properties_ = nullptr;
    TListBox* problems_ = nullptr;
    std::vector<Problem> shownProblems_;
    std::string lastContainer_; // where Build wrote last
    int testRuns_ = 0;
    std::string pendingOpen_; // a recent menu chosen, opened from a posted message
};
