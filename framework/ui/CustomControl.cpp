#include "framework/ui/CustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(*this) {}

TCustomControl::~TCustomControl() {
    canvas_.ReleaseWindowDc();
}

TCanvas* TCustomControl::Canvas() {
    return canvas_.Canvas();
}

void TCustomControl::Paint() {}

void TCustomControl::WMPaint(TMessage&) {
    canvas_.Paint([this](HDC dc) {
        Paint();
        PaintControls(dc);
    });
}

void TCustomControl::DestroyWnd() {
    canvas_.ReleaseWindowDc();
    TWinControl::DestroyWnd();
}
