// TCustomForm / TForm: a top-level window holding controls.
//
// A form is made in two steps. The derived constructor builds its stored
// layout in code: it creates its components with the form as owner (and as
// parent for controls) while the form and every component created meanwhile
// carry csLoading/csReading. Then AfterConstruction ends the loading (Loaded
// on each component) and runs OnCreate; an Exception raised by OnCreate is
// shown in the application's error box and the form stays as far as it was
// built. TApplication::CreateForm does both steps.
#pragma once

#include <functional>

#include "framework/ui/BorderStyle.h"
#include "framework/ui/ControlCanvas.h"
#include "framework/ui/WinControl.h"

class TCanvas;
class TMainMenu;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// What ended a modal form (ShowModal's result); IDOK and IDCANCEL's values.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

class TCustomForm : public TWinControl {
public:
    // Starts the loading state (see above). A form is invisible until shown.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    const char* ClassName() const override { return "TCustomForm"; }

    // Ends the loading state, then runs DoCreate (OnCreate inside a catch
    // that shows an escaping Exception in the application's error box).
    // Call it once, right after the constructor.
    virtual void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // On a live window the window is created again with the new frame; the
    // outer size stays.
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);

    // Width and Height are the outer size, Left and Top the screen position;
    // the client size setters change the outer size so the client area gets
    // the size asked for (AdjustWindowRectEx for the frame).
    TRect ClientRect() const override;
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;

    // The menu bar shown on the window (not owned; nullptr for none). The
    // menu's commands and shortcuts reach its items' OnClick. The outer size
    // stays: the client area gives up the bar's height.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }

    void Show();
    void Hide();
    // Asks OnCloseQuery, then DoClose/OnClose decide: hide the form (the
    // main form's closing terminates the application), free it, or nothing.
    void Close();
    void SetVisible(bool visible) override;

    // Shows the form and handles the application's messages until
    // ModalResult is set (or closing the form sets mrCancel, or the
    // application terminates: mrCancel), with the window that was active
    // disabled meanwhile; then hides the form and gives that window back
    // its input. Returns the ModalResult.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    // Inside ShowModal, any value but mrNone ends it.
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Modal() const { return modal_; }

    // The form's canvas: the paint DC inside Paint, otherwise the window DC.
    TCanvas* Canvas();

    // The form's window is the active window.
    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void WndProc(TMessage& message) override;

    // Called by a control of this form when it gets the focus.
    void FocusChanged(TWinControl* control);
    // A control leaves the form (or is freed): the form forgets it.
    void ControlRemoved(TControl* control);

protected:
    // Fires OnActivate; runs when the window becomes the active one.
    virtual void Activate();
    virtual void Deactivate();
    // Fires OnPaint. Runs inside WM_PAINT, before the child windows are
    // drawn; descendants may also call it directly (Canvas() then draws on the
    // window DC).
    virtual void Paint();
    virtual void DoCreate();
    virtual void DoDestroy();
    // Fires OnShow / OnHide when the window is shown or hidden (WM_SHOWWINDOW).
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual bool CloseQuery();

    void CreateParams(TCreateParams& params) override;
    // Creates the window and its children's, then shows it when Visible.
    void CreateHandle() override;
    void DestroyWnd() override;
    void WMPaint(TMessage& message) override;
    void WMWindowPosChanged(TMessage& message) override;
    // The application as a whole is activated or deactivated.
    virtual void WMActivateApp(TMessage& message);

    void Notification(TComponent* component, TOperation operation) override;

    void Loaded() override;

private:
    void ResizeForClient(int clientWidth, int clientHeight);
    // The frame's style bits for the border settings (no window needed).
    void FrameStyle(DWORD& style, DWORD& exStyle) const;
    void SelectNext(TWinControl* current, bool forward);
    // Shows the menu's current HMENU on the window (or none).
    void AttachMenu();
    friend class TApplication;
    friend class TMainMenu;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    bool keyPreview_ = false;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    bool active_ = false;
    bool created_ = false;
    TWinControl* activeControl_ = nullptr; // not owned
    TMainMenu* menu_ = nullptr;            // not owned
    TControlCanvas canvas_;
    // Client size asked for while the layout is read; applied again in Loaded,
    // when the border style is final.
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    const char* ClassName() const override { return "TForm"; }
};
