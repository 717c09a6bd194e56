// TGraphicControl: a control without a window of its own. Its parent paints it
// during the parent's WM_PAINT, before the child windows are drawn, and routes
// the mouse messages over it to it.
#pragma once

#include <memory>

#include "framework/ui/Control.h"

class TCanvas;

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    const char* ClassName() const override { return "TGraphicControl"; }

    // Valid inside Paint: the parent's paint DC with the origin at this
    // control's top-left corner, clipped to its rectangle.
    TCanvas* Canvas();

    // Requests a repaint of the control's rectangle in its parent's window.
    void Invalidate() override;

    // Called by the parent with dc prepared as described for Canvas().
    void PaintOn(HDC dc);

    // True when Paint covers every pixel of the control's rectangle: the
    // parent then leaves that rectangle out when it erases its background.
    virtual bool Opaque() const { return false; }

protected:
    virtual void Paint();

private:
    std::unique_ptr<TCanvas> canvas_;
};
