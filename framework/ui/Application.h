// TApplication: the process's application object (global `Application`):
// forms, the message loop, termination, the error box, and the pointer
// enter/leave tracking done in the loop's idle time.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/runtime/Component.h"
#include "framework/runtime/Exceptions.h"
#include "framework/ui/Control.h"
#include "framework/ui/Form.h"

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    const char* ClassName() const override { return "TApplication"; }

    void Initialize() {}

    // Creates a form of class T owned by the application: new T(this), sets
    // reference, makes it the main form if there is none yet, then runs
    // AfterConstruction (OnCreate), so the reference and MainForm() are valid
    // inside OnCreate.
    template <typename T> void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        if (!mainForm_)
            mainForm_ = form;
        form->AfterConstruction();
    }

    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool show) { showMainForm_ = show; }

    // Shows the main form (unless ShowMainForm is false) and handles messages
    // until termination is requested. Termination requested before Run (for
    // example in OnCreate) still shows the main form once (OnShow runs) before
    // the loop ends.
    void Run();
    // Requests the end of the loop (posts WM_QUIT).
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Handles one message; with an empty queue runs Idle and waits for the next.
    void HandleMessage();
    // The loop's idle work: pointer enter/leave (CheckMouseControl).
    void Idle();
    // Finds the control under the pointer (WindowFromPoint, which follows
    // window regions) and, when it differs from the last one, sends the last
    // one CM_MOUSELEAVE and the new one CM_MOUSEENTER. While a control holds
    // the mouse capture, only it is reported: moving off it reports its
    // leave, and nothing else enters until the capture ends.
    void CheckMouseControl();
    // The control the pointer was last found over, or nullptr.
    TControl* MouseControl() const { return mouseControl_; }

    // The title: the error box caption. Defaults to the executable's name
    // without its extension.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    std::string ExeName() const;

    // The application's window for calls that want an owner window: the main
    // form's window, or nullptr before it exists.
    HWND Handle() const;

    // The standard error box: the error's message, caption Title, MB_OK |
    // MB_ICONSTOP, through the platform seam. The caller's work goes on after.
    void ShowException(const Exception& error);
    void ShowException(const std::exception& error);
    // Shows the exception being handled (call inside a catch block); an
    // exception of no known kind gets a generic message.
    void HandleException();

    // A modal message box through the platform seam, owned by the active
    // window of this application.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    // Frees form (and any form freed by caFree) from the message loop, after
    // the current message is handled.
    void ReleaseForm(TCustomForm* form);

    // A control is going away: forget every reference to it.
    void ControlDestroyed(TControl* control);

    TNotifyEvent OnIdle;
    // Sees every message the loop takes before anything else does; true means
    // handled: the message goes no further. (The designer takes the pointer
    // and keys off the menu it shows this way.)
    std::function<bool(MSG&)> OnMessage;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ProcessMessage(MSG& msg);
    void FreeReleasedForms();

    TCustomForm* mainForm_ = nullptr; // owned as a component
    bool showMainForm_ = true;
    bool terminated_ = false;
    std::string title_;
    TControl* mouseControl_ = nullptr; // not owned
    std::vector<TCustomForm*> released_;
};

// The process's application object. Created before main runs; code may point
// it at another TApplication (tests do) and back.
extern TApplication* Application;

// A modal error box with the framework's error caption "Fehler", its error
// icon and one OK button (MB_OK | MB_ICONERROR), through the platform seam.
int ShowErrorBox(const std::string& text);
