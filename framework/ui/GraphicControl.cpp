#include "framework/ui/GraphicControl.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/ui/WinControl.h"

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() {
    return canvas_.get();
}

void TGraphicControl::Invalidate() {
    if (Parent() && Visible())
        Parent()->InvalidateArea(BoundsRect());
}

void TGraphicControl::PaintOn(HDC dc) {
    canvas_->SetHandle(dc);
    canvas_->Font().Assign(Font());
    canvas_->Brush().SetColor(Color());
    struct TDetach {
        TCanvas* Canvas;
        ~TDetach() { Canvas->SetHandle(nullptr); }
    } detach{canvas_.get()};
    Paint();
}

void TGraphicControl::Paint() {}
