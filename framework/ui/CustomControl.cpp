#include "framework/ui/CustomControl.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() {
    ReleaseWindowDc();
}

TCanvas* TCustomControl::Canvas() {
    if (!painting_) {
        // Outside a paint: a fresh DC of the window each time, so the canvas
        // never holds a DC whose window has changed since.
        HWND window = Handle();
        canvas_->SetHandle(nullptr);
        if (windowDc_)
            ReleaseDC(window, windowDc_);
        windowDc_ = GetDC(window);
        canvas_->SetHandle(windowDc_);
        canvas_->Font().Assign(Font());
        canvas_->Brush().SetColor(Color());
    }
    return canvas_.get();
}

void TCustomControl::Paint() {}

void TCustomControl::ReleaseWindowDc() {
    canvas_->SetHandle(nullptr);
    if (windowDc_ && HandleAllocated())
        ReleaseDC(Handle(), windowDc_);
    windowDc_ = nullptr;
}

void TCustomControl::WMPaint(TMessage&) {
    ReleaseWindowDc();
    PAINTSTRUCT paint{};
    HWND window = Handle();
    HDC dc = BeginPaint(window, &paint);
    canvas_->SetHandle(dc);
    canvas_->Font().Assign(Font());
    canvas_->Brush().SetColor(Color());
    painting_ = true;
    struct TEndPaint {
        TCustomControl* Control;
        HWND Window;
        PAINTSTRUCT* Paint;
        ~TEndPaint() {
            Control->painting_ = false;
            Control->canvas_->SetHandle(nullptr);
            EndPaint(Window, Paint);
        }
    } endPaint{this, window, &paint};
    Paint();
    PaintControls(dc);
}

void TCustomControl::DestroyWnd() {
    ReleaseWindowDc();
    TWinControl::DestroyWnd();
}
