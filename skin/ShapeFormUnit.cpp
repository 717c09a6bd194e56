#include "skin/ShapeFormUnit.h"

#include "framework/graphics/Canvas.h"
#include "skin/OvalynShapeControl.h"
#include "skin/OvalynSkin.h"
#include "skin/RegionCalls.h"

namespace {
// The move command with the caption hit code: the window manager then drags the
// window as if its caption were held.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION; // 0xF012
} // namespace

TOvalynShapeForm::TOvalynShapeForm(TComponent* owner)
    : TForm(owner), skin_(std::make_unique<TOvalynSkin>()) {
    skin_->SetPixelFormat(pfDevice);
    SetBorderStyle(bsNone);
    shapeIt(this);
    skin_->OnChange = [this](TObject* sender) { shapeIt(sender); };
    DragByMouse = true;
}

TOvalynShapeForm::~TOvalynShapeForm() {
    skin_->OnChange = nullptr; // the form is going: no more reshaping
    skin_.reset();
}

void TOvalynShapeForm::ApplySkinRegion(const char* failureMessage) {
    RegionHandle region = skin_->getRegion();
    if (!RegionCalls().SetWindowRgn(Handle(), region.get(), TRUE))
        throw OvalynShapeException(failureMessage); // the region is still ours and goes
    (void)region.release();                         // the window owns it now
}

void TOvalynShapeForm::shapeIt(TObject*) {
    if (skin_->Width() != 0 && skin_->Height() != 0) {
        if (skin_->InvisibleColor() != InvisibleColor) {
            skin_->SetInvisibleColor(InvisibleColor);
            skin_->calculateRegion();
        }
        SetWidth(skin_->Width());
        SetHeight(skin_->Height());
        ApplySkinRegion("TOvalynShapeForm.shapeIt: SetWindowRgn failed.");
        Paint(); // at once, not a repaint request
        return;
    }
    if (!RegionCalls().SetWindowRgn(Handle(), nullptr, TRUE))
        throw OvalynShapeException("TOvalynShapeForm.shapeIt: SetWindowRgn failed.");
}

void TOvalynShapeForm::CreateWnd() {
    TForm::CreateWnd();
    if (ComponentState().Contains(csReading))
        return;
    if (skin_->Width() > 0 && skin_->Height() > 0)
        ApplySkinRegion("TOvalynShapeForm.CreateWnd: SetWindowRgn failed.");
}

void TOvalynShapeForm::Loaded() {
    // Before the form's own Loaded, so that a client size the layout asked for is
    // applied to the borderless frame.
    SetBorderStyle(bsNone);
    TForm::Loaded();
    shapeIt(this);
}

void TOvalynShapeForm::Paint() {
    TForm::Paint();
    Canvas()->Draw(0, 0, *skin_);
}

void TOvalynShapeForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TForm::MouseDown(button, shift, x, y);
    if (DragByMouse && button == mbLeft) {
        ReleaseCapture();
        SendMessageA(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
    }
}

void TOvalynShapeForm::WMEraseBkgnd(TMessage& message) {
    message.Result = 0;
}
