// Helpers for the window tests: a fresh application object per test, message
// pumping with time limits, and the real pointer moved by SetCursorPos and
// SendInput.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/system/RecordingPlatform.h"
#include "framework/ui/Application.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/Form.h"
#include "tests/support/MessagePump.h"

// Points the global Application at a new object for the test's lifetime and
// records every platform call (message boxes answer IDOK).
class ScopedTestApplication {
public:
    ScopedTestApplication();
    ~ScopedTestApplication();
    TApplication& App() { return *app_; }
    TRecordingPlatform& Calls() { return calls_; }

private:
    TApplication* previous_;
    std::unique_ptr<TApplication> app_;
    TRecordingPlatform calls_;
    ScopedPlatform platform_{calls_};
};

// Throws away every waiting message, WM_QUIT included.
void DrainQueue();

// The real pointer: moves it and waits until the system reports it there.
void MovePointer(int screenX, int screenY);
void PressLeft();
void ReleaseLeft();
void PressRight();
void ReleaseRight();

// A form made the way the application makes it, shown at a fixed place.
struct TestForm : TForm {
    explicit TestForm(TComponent* owner) : TForm(owner) {}
};
std::unique_ptr<TestForm> MakeShownForm(int left = 100, int top = 100, int width = 300,
                                        int height = 200);

// A windowed control that writes down what happens to it.
class RecordingControl : public TCustomControl {
public:
    explicit RecordingControl(TComponent* owner,
                              TControlStyle style = {csCaptureMouse, csClickEvents,
                                                     csDoubleClicks});
    std::vector<std::string> Events;
    int CreateWndCount = 0;
    int PaintCount = 0;
    bool HeldDuringLastDown = false; // csLButtonDown and the capture, seen in MouseDown

    int Count(const std::string& event) const;

protected:
    void CreateWnd() override;
    void Paint() override;
    void Click() override;
    void DblClick() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void WMEraseBkgnd(TMessage& message) override;
};
