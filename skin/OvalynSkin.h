// TOvalynSkin: a bitmap that turns its own pixels into a window region. Every
// pixel of InvisibleColor lies outside the region, every other pixel inside.
// The region is recomputed after every change of the picture, except the one
// change that comes from assigning another skin, whose region is copied.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/portable/Color.h"
#include "framework/win32/Handles.h"
#include "skin/RegionCalls.h"

class TOvalynSkin : public TBitmap {
public:
    TOvalynSkin() = default;
    // Releases the kept region. A release the system refuses cannot be raised
    // from a destructor; its message goes to the application's error box.
    ~TOvalynSkin() override;
    const char* ClassName() const override { return "TOvalynSkin"; }

    // From another skin: its region and InvisibleColor, then its picture,
    // without a new scan. From anything else: the bitmap copy, which rescans.
    void Assign(TPersistent* source) override;

    // Recomputes the kept region (unless the one recomputation after a skin
    // assignment is due to be skipped), then fires OnChange.
    void Changed(TObject* sender) override;

    TColor InvisibleColor() const { return invisibleColor_; }
    // Stores the colour only: callers run calculateRegion or change the picture.
    void SetInvisibleColor(TColor color) {
        if (color != invisibleColor_)
            invisibleColor_ = color;
    }

    // The region of the current pixels becomes the kept region. An empty
    // picture leaves the kept region as it is.
    void calculateRegion();

    // A new region equal to the kept one (an empty region while there is
    // none), owned by the caller.
    RegionHandle getRegion();

private:
    SkinRegion CopyOfRegion(HRGN source, const char* failureMessage) const;

    SkinRegion keptRegion_; // owned; never handed out
    bool recalculate_ = true;
    TColor invisibleColor_ = clWhite;
};
