#include "ReferenceRegion.h"

#include "skin/OvalynShapeControl.h"

namespace {

void Cut(HRGN work, int left, int top, int right, int bottom) {
    SkinRegion cut(RegionCalls().CreateRectRgn(left, top, right, bottom));
    if (RegionCalls().CombineRgn(work, work, cut.get(), RGN_DIFF) == ERROR)
        throw OvalynShapeException("TOvalynSkin.calculateRegion: CombineRgn failed.");
    if (!cut.ReleaseChecked())
        throw OvalynShapeException("TOvalynSkin.calculateRegion: DeleteObject failed.");
}

} // namespace

SkinRegion BuildRegionBySubtraction(const TPixelRows24& rows, std::uint32_t invisibleRgb) {
    SkinRegion work(RegionCalls().CreateRectRgn(0, 0, rows.Width, rows.Height));
    for (int y = 0; y < rows.Height; ++y) {
        int runStart = -1;
        const std::uint8_t* row = rows.Row(y);
        for (int x = 0; x < rows.Width; ++x) {
            const bool matches = PixelColorValue(row + 3 * x) == invisibleRgb;
            if (matches && runStart < 0)
                runStart = x;
            else if (!matches && runStart >= 0) {
                Cut(work.get(), runStart, y, x, y + 1);
                runStart = -1;
            }
        }
        if (runStart >= 0)
            Cut(work.get(), runStart, y, rows.Width, y + 1);
    }
    return work;
}
