// The frame around the designer's canvas: it scrolls a menu larger than the
// space it has (a 1920 x 1080 background on a smaller screen), by the scroll
// bars and the mouse wheel, moving the canvas inside it.
#pragma once

#include "framework/ui/Panel.h"

class TCanvasHost : public TPanel {
public:
    explicit TCanvasHost(TComponent* owner) : TPanel(owner) {}
    const char* ClassName() const override { return "TCanvasHost"; }

    // The control scrolled (a child of this one).
    void SetContent(TControl* content) { content_ = content; }
    // After the content's or this control's size changed: ranges, and the
    // content kept inside what can be shown.
    void UpdateScrollBars();

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    // Scrolls bar (SB_HORZ or SB_VERT) by a scroll-bar request.
    void Scroll(int bar, int request);
    void ScrollTo(int bar, int position);

    TControl* content_ = nullptr; // a child: freed with this control
};
