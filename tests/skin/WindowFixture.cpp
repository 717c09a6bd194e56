#include "WindowFixture.h"

#include "framework/ui/Application.h"

TForm* WindowTest::form_ = nullptr;

namespace {
// Frees the shared form when the test program ends.
class SharedFormEnvironment : public ::testing::Environment {
public:
    void TearDown() override { WindowTest::DestroySharedForm(); }
};
const auto* const sharedFormEnvironment =
    ::testing::AddGlobalTestEnvironment(new SharedFormEnvironment);
} // namespace

void WindowTest::DestroySharedForm() {
    delete form_;
    form_ = nullptr;
}

void WindowTest::SetUp() {
    if (!form_) {
        form_ = new TForm(nullptr);
        form_->AfterConstruction();
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(formLeft, formTop, formWidth, formHeight);
        form_->SetColor(static_cast<TColor>(formColor));
        form_->Show();
    }
    SetForegroundWindow(form_->Handle());
    PointAway();
    Pump();
}

void WindowTest::TearDown() {
    // Let go of any button a failed test left pressed.
    Release(MOUSEEVENTF_LEFTUP);
    Release(MOUSEEVENTF_RIGHTUP);
    form_->DestroyComponents();
    InvalidateRect(form_->Handle(), nullptr, TRUE);
    Pump(1);
}

void WindowTest::Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        Application->ProcessMessages();
        Application->CheckMouseControl();
        Sleep(15);
    }
    Application->ProcessMessages();
}

void WindowTest::PointAt(TControl& control, int x, int y) {
    const TPoint screen = control.ClientToScreen(Point(x, y));
    SetCursorPos(screen.X, screen.Y);
    Pump();
}

void WindowTest::PointAway() {
    SetCursorPos(formLeft + formWidth - 3, formTop + formHeight - 3);
    Pump();
}

void WindowTest::Press(DWORD downFlag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = downFlag;
    SendInput(1, &input, sizeof input);
    Pump();
}

void WindowTest::Release(DWORD upFlag) {
    Press(upFlag);
}

void WindowTest::LeftClick() {
    Press(MOUSEEVENTF_LEFTDOWN);
    Release(MOUSEEVENTF_LEFTUP);
}

TestMask WindowTest::Capture(TControl& control) {
    return CaptureArea(control.Left(), control.Top(), control.Width(), control.Height());
}

TestMask WindowTest::CaptureArea(int left, int top, int width, int height) {
    Pump(2);
    UpdateWindow(form_->Handle());
    TestMask pixels(width, height, 0);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC windowDc = GetDC(form_->Handle());
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, windowDc, left, top, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t bgr = words[y * width + x]; // 0x00RRGGBB in memory order B,G,R
            pixels.Set(x, y, ((bgr >> 16) & 0xFF) | (bgr & 0xFF00) | ((bgr & 0xFF) << 16));
        }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(form_->Handle(), windowDc);
    return pixels;
}
