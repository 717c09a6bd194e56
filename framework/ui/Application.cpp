#include "framework/ui/Application.h"

#include <algorithm>

#include "framework/system/PlatformCalls.h"
#include "framework/ui/KeyboardRouting.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/WinControl.h"

namespace {
std::string ModuleFileName() {
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size() || path.size() >= 32768)
            break;
        path.resize(path.size() * 2);
    }
    path.resize(length);
    return path;
}

std::string NameWithoutExtension(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The process's own application object: made before main and kept to the end
// of the process, so no static destructor runs after parts it uses are gone.
TApplication* MakeProcessApplication() {
    return new TApplication(nullptr);
}
} // namespace

TApplication* Application = MakeProcessApplication();

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), title_(NameWithoutExtension(ModuleFileName())) {}

TApplication::~TApplication() {
    // The forms go first, while the application is still whole.
    DestroyComponents();
    if (Application == this)
        Application = nullptr;
}

std::string TApplication::ExeName() const {
    return ModuleFileName();
}

HWND TApplication::Handle() const {
    return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_)
        mainForm_ = nullptr;
}

void TApplication::ControlDestroyed(TControl* control) {
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (mainForm_ && static_cast<TControl*>(mainForm_) == control)
        mainForm_ = nullptr;
    released_.erase(
        std::remove_if(released_.begin(), released_.end(),
                       [&](TCustomForm* form) { return static_cast<TControl*>(form) == control; }),
        released_.end());
}

void TApplication::Run() {
    if (!mainForm_)
        return;
    if (showMainForm_) {
        try {
            mainForm_->Show();
        } catch (...) {
            HandleException();
        }
    }
    // At least one message is handled, so a form whose termination was
    // requested while it was created is still shown once.
    do {
        try {
            HandleMessage();
        } catch (...) {
            HandleException();
        }
    } while (!terminated_);
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (OnMessage && OnMessage(msg)) {
        FreeReleasedForms();
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
        TWinControl* control = TWinControl::FindControl(msg.hwnd);
        if (!control && msg.hwnd)
            control = TWinControl::FindControl(GetParent(msg.hwnd));
        if (TCustomForm* form = GetParentForm(control)) {
            form->SelectNext(control, GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
    }
    // Menu shortcuts and the default button (see KeyboardRouting.h).
    if (keyboard_routing::PreTranslate(msg)) {
        FreeReleasedForms();
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    FreeReleasedForms();
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg{};
    if (!ProcessMessage(msg)) {
        Idle();
        if (!terminated_)
            WaitMessage();
    }
}

void TApplication::Idle() {
    CheckMouseControl();
    if (OnIdle)
        OnIdle(this);
}

void TApplication::CheckMouseControl() {
    POINT cursor{};
    GetCursorPos(&cursor);
    TControl* target = FindControlAtScreen(Point(cursor.x, cursor.y));
    // While a control holds the capture, it alone hears of entering and
    // leaving: the pointer over anything else counts as over nothing.
    TControl* holder = GetCaptureControl();
    if (holder && target != holder)
        target = nullptr;
    if (target == mouseControl_)
        return;
    TControl* previous = mouseControl_;
    mouseControl_ = target;
    if (previous)
        previous->Perform(CM_MOUSELEAVE);
    // The leave handler may have freed the new control (ControlDestroyed).
    if (target && mouseControl_ == target)
        target->Perform(CM_MOUSEENTER);
}

void TApplication::ShowException(const Exception& error) {
    Platform().MessageBoxA(Handle(), error.Message().c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::ShowException(const std::exception& error) {
    Platform().MessageBoxA(Handle(), error.what(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException() {
    try {
        throw;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception("Unbekannte Exception"));
    }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = GetActiveWindow();
    if (!TWinControl::FindControl(owner))
        owner = Handle();
    return Platform().MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::ReleaseForm(TCustomForm* form) {
    if (form && std::find(released_.begin(), released_.end(), form) == released_.end())
        released_.push_back(form);
}

void TApplication::FreeReleasedForms() {
    while (!released_.empty()) {
        TCustomForm* form = released_.back();
        released_.pop_back();
        delete form;
    }
}

int ShowErrorBox(const std::string& text) {
    HWND owner = Application ? Application->Handle() : nullptr;
    return Platform().MessageBoxA(owner, text.c_str(), "Fehler", MB_OK | MB_ICONERROR);
}
