#include "framework/ui/ControlCanvas.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/runtime/ScopeExit.h"
#include "framework/ui/WinControl.h"

TControlCanvas::TControlCanvas(TWinControl& control)
    : control_(control), canvas_(std::make_unique<TCanvas>()) {}

TControlCanvas::~TControlCanvas() {
    ReleaseWindowDc();
}

TCanvas* TControlCanvas::Canvas() {
    if (!painting_) {
        // A fresh DC of the window each time, so the canvas never holds a DC
        // whose window has changed since.
        HWND window = control_.Handle();
        canvas_->SetHandle(nullptr);
        windowDc_.reset();
        windowDc_ = WindowDc::Client(window);
        canvas_->SetHandle(windowDc_.get());
        TakeControlLook();
    }
    return canvas_.get();
}

void TControlCanvas::ReleaseWindowDc() {
    canvas_->SetHandle(nullptr);
    if (control_.HandleAllocated())
        windowDc_.reset();
    else
        (void)windowDc_.release();
}

void TControlCanvas::Paint(const std::function<void(HDC)>& paintWork) {
    ReleaseWindowDc();
    HWND window = control_.Handle();
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    canvas_->SetHandle(dc);
    TakeControlLook();
    painting_ = true;
    ScopeExit endPaint([&] {
        painting_ = false;
        canvas_->SetHandle(nullptr);
        EndPaint(window, &paint);
    });
    paintWork(dc);
}

void TControlCanvas::TakeControlLook() {
    canvas_->Font().Assign(control_.Font());
    canvas_->Brush().SetColor(control_.Color());
}
