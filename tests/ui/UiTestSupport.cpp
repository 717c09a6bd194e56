#include "UiTestSupport.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"

namespace {
// Without a window manager on the test display, Wine waits two seconds for
// one whenever a managed window is hidden or destroyed. This program's windows
// are made unmanaged (a Wine setting for this executable only, read when the
// display driver starts, that is before the first window).
struct TUnmanagedWindows {
    TUnmanagedWindows() {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER,
                            "Software\\Wine\\AppDefaults\\test_ui.exe\\X11 Driver", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
} unmanagedWindows;
} // namespace

ScopedTestApplication::ScopedTestApplication()
    : previous_(Application), app_(std::make_unique<TApplication>(nullptr)) {
    DrainQueue();
    Application = app_.get();
}

ScopedTestApplication::~ScopedTestApplication() {
    app_.reset();
    DrainQueue();
    Application = previous_;
}

void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
}

namespace {
void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    // The input comes back through the display server: give it time to arrive
    // and be handled.
    PumpFor(60);
}
} // namespace

void MovePointer(int screenX, int screenY) {
    SetCursorPos(screenX, screenY);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
    PumpUntil([&] {
        POINT p{};
        GetCursorPos(&p);
        return p.x == screenX && p.y == screenY;
    });
    PumpFor(60);
}

void PressLeft() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}
void ReleaseLeft() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}
void PressRight() {
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
}
void ReleaseRight() {
    SendMouse(MOUSEEVENTF_RIGHTUP);
}

std::unique_ptr<TestForm> MakeShownForm(int left, int top, int width, int height) {
    auto form = std::make_unique<TestForm>(nullptr);
    form->AfterConstruction();
    form->SetBorderStyle(bsNone);
    form->SetBounds(left, top, width, height);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; });
    PumpFor(50);
    return form;
}

RecordingControl::RecordingControl(TComponent* owner, TControlStyle style) : TCustomControl(owner) {
    SetControlStyle(style);
}

int RecordingControl::Count(const std::string& event) const {
    return static_cast<int>(std::count(Events.begin(), Events.end(), event));
}

void RecordingControl::CreateWnd() {
    ++CreateWndCount;
    TCustomControl::CreateWnd();
}

void RecordingControl::Paint() {
    ++PaintCount;
    Canvas()->Brush().SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void RecordingControl::Click() {
    Events.push_back("Click");
    TCustomControl::Click();
}

void RecordingControl::DblClick() {
    Events.push_back("DblClick");
    TCustomControl::DblClick();
}

void RecordingControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Events.push_back(button == mbLeft ? "DownL" : button == mbRight ? "DownR" : "DownM");
    HeldDuringLastDown = ControlState().Contains(csLButtonDown) && GetCapture() == Handle();
    TCustomControl::MouseDown(button, shift, x, y);
}

void RecordingControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Events.push_back(button == mbLeft ? "UpL" : button == mbRight ? "UpR" : "UpM");
    TCustomControl::MouseUp(button, shift, x, y);
}

void RecordingControl::MouseEnter() {
    Events.push_back("Enter");
}

void RecordingControl::MouseLeave() {
    Events.push_back("Leave");
}

void RecordingControl::WMEraseBkgnd(TMessage& message) {
    message.Result = 0;
}
