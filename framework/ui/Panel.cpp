#include "framework/ui/Panel.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/win32/Handles.h"

namespace {
UINT EdgeOf(TBevelCut cut, bool outer) {
    switch (cut) {
    case bvLowered:
        return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    case bvRaised:
        return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    default:
        return 0;
    }
}
} // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

int TPanel::BorderWidth() const {
    return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    if (bevelOuter_ == cut)
        return;
    bevelOuter_ = cut;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    if (bevelInner_ == cut)
        return;
    bevelInner_ = cut;
    Invalidate();
}

void TPanel::SetBevelWidth(int width) {
    width = std::max(width, 1);
    if (bevelWidth_ == width)
        return;
    bevelWidth_ = width;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
    if (alignment_ == alignment)
        return;
    alignment_ = alignment;
    Invalidate();
}

void TPanel::CMTextChanged(TMessage&) {
    Invalidate();
}

void TPanel::Paint() {
    HDC dc = Canvas()->Handle();
    RECT r{0, 0, Width(), Height()};
    // Outer cut on the outermost rings, inner cut inside them.
    for (bool outer : {true, false}) {
        TBevelCut cut = outer ? bevelOuter_ : bevelInner_;
        if (cut == bvNone)
            continue;
        for (int ring = 0; ring < bevelWidth_; ++ring) {
            if (cut == bvSpace)
                FrameRect(dc, &r, ColorBrush());
            else
                DrawEdge(dc, &r, EdgeOf(cut, outer), BF_RECT);
            InflateRect(&r, -1, -1);
        }
    }
    std::string text = Caption();
    if (text.empty())
        return;
    ScopedSelect font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                 (alignment_ == taRightJustify ? DT_RIGHT
                  : alignment_ == taCenter     ? DT_CENTER
                                               : DT_LEFT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}
