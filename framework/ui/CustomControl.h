// TCustomControl: a windowed control that paints itself on a canvas.
#pragma once

#include "framework/ui/ControlCanvas.h"
#include "framework/ui/WinControl.h"

class TCanvas;

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    const char* ClassName() const override { return "TCustomControl"; }

    // The control's canvas. Inside Paint it draws on the paint DC (clipped to
    // the area being painted); outside a paint it draws on the window's DC,
    // creating the window if needed.
    TCanvas* Canvas();

protected:
    // Draws the control on Canvas(). The default draws nothing.
    virtual void Paint();
    // BeginPaint, the windowless children, Paint, EndPaint.
    void WMPaint(TMessage& message) override;
    void DestroyWnd() override;

private:
    TControlCanvas canvas_;
};
