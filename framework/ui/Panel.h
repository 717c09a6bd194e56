// TPanel: a plain container for other controls (the property panel, the
// canvas host), with an optional bevel and caption.
#pragma once

#include "framework/ui/Bevel.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/TextAlignment.h"

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    const char* ClassName() const override { return "TPanel"; }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // The width of the edge on each side: what the bevels take from the client area.
    int BorderWidth() const;
    // Where the caption is drawn (centred vertically); an empty caption draws nothing.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void Paint() override;
    void CMTextChanged(TMessage& message) override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    TAlignment alignment_ = taCenter;
};
