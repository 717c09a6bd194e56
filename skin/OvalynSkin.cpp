#include "skin/OvalynSkin.h"

#include "framework/graphics/Color.h"
#include "framework/ui/Application.h"
#include "skin/OvalynShapeControl.h"
#include "skin/RegionBuilder.h"
#include "skin/speedBitmap.h"

TOvalynSkin::~TOvalynSkin() {
    if (!keptRegion_.ReleaseChecked() && Application)
        Application->ShowException(
            OvalynShapeException("TOvalynSkin.destroy: DeleteObject failed."));
}

SkinRegion TOvalynSkin::CopyOfRegion(HRGN source, const char* failureMessage) const {
    SkinRegion copy(RegionCalls().CreateRectRgn(0, 0, Width(), Height()));
    if (!copy || RegionCalls().CombineRgn(copy.get(), source, nullptr, RGN_COPY) == ERROR)
        throw OvalynShapeException(failureMessage);
    return copy;
}

void TOvalynSkin::calculateRegion() {
    if (Width() == 0 || Height() == 0)
        return;
    SkinRegion work;
    {
        TSpeedBitmap pixels;
        pixels.Assign(this);
        const TPixelRows24 rows{pixels.ScanLine0(),
                                -static_cast<std::ptrdiff_t>(pixels.LineBytes()), pixels.Width(),
                                pixels.Height()};
        work = BuildVisibleRegion(rows, static_cast<std::uint32_t>(ColorToRGB(invisibleColor_)));
    }
    if (!keptRegion_.ReleaseChecked())
        throw OvalynShapeException("TOvalynSkin.calculateRegion: DeleteObject failed.");
    keptRegion_ = CopyOfRegion(work.get(), "TOvalynSkin.calculateRegion: CombineRgn failed.");
}

RegionHandle TOvalynSkin::getRegion() {
    if (keptRegion_)
        return RegionHandle(
            CopyOfRegion(keptRegion_.get(), "TOvalynSkin.getRegion: CombineRgn failed.").release());
    HRGN empty = RegionCalls().CreateRectRgn(0, 0, 0, 0);
    if (!empty)
        throw OvalynShapeException("TOvalynSkin.getRegion: CombineRgn failed.");
    return RegionHandle(empty);
}

void TOvalynSkin::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* other = dynamic_cast<TOvalynSkin*>(source)) {
        SkinRegion obtained(other->getRegion().release());
        SkinRegion copied = CopyOfRegion(obtained.get(), "TOvalynSkin.assign: CombineRgn failed.");
        if (!obtained.ReleaseChecked())
            throw OvalynShapeException("TOvalynSkin.assign: DeleteObject failed.");
        invisibleColor_ = other->invisibleColor_;
        if (!keptRegion_.ReleaseChecked())
            throw OvalynShapeException("TOvalynSkin.assign: DeleteObject failed.");
        keptRegion_ = std::move(copied);
        recalculate_ = false;
    }
    try {
        TBitmap::Assign(source);
    } catch (...) {
        // The skipped recomputation belongs to this copy only.
        recalculate_ = true;
        throw;
    }
}

void TOvalynSkin::Changed(TObject* sender) {
    if (recalculate_)
        calculateRegion();
    else
        recalculate_ = true;
    TBitmap::Changed(sender);
}
