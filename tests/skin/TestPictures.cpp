#include "TestPictures.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "ReferenceRegion.h"
#include "skin/speedBitmap.h"

std::unique_ptr<TBitmap> MakeBitmap(const TestMask& mask, TPixelFormat format) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(mask.Width(), mask.Height());
    const int bytesPerPixel = format == pf32bit ? 4 : 3;
    for (int y = 0; y < mask.Height(); ++y) {
        std::uint8_t* row = bitmap->ScanLine(y);
        for (int x = 0; x < mask.Width(); ++x) {
            const std::uint32_t rgb = mask.Get(x, y);
            std::uint8_t* pixel = row + bytesPerPixel * x;
            pixel[0] = static_cast<std::uint8_t>(rgb >> 16);
            pixel[1] = static_cast<std::uint8_t>(rgb >> 8);
            pixel[2] = static_cast<std::uint8_t>(rgb);
            if (bytesPerPixel == 4)
                pixel[3] = 0;
        }
    }
    return bitmap;
}

SkinRegion ReferenceRegionOf(TBitmap& bitmap, std::uint32_t invisibleRgb) {
    TSpeedBitmap pixels;
    pixels.Assign(&bitmap);
    return BuildRegionBySubtraction({pixels.ScanLine0(),
                                     -static_cast<std::ptrdiff_t>(pixels.LineBytes()),
                                     pixels.Width(), pixels.Height()},
                                    invisibleRgb);
}

SkinRegion RegionOfRects(std::initializer_list<RECT> rects) {
    SkinRegion region(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& r : rects) {
        SkinRegion part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
    return region;
}

namespace {

std::string Describe(HRGN region) {
    if (!region)
        return "(no region)";
    const DWORD bytes = GetRegionData(region, 0, nullptr);
    std::vector<char> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (bytes == 0 || GetRegionData(region, bytes, data) == 0)
        return "(unreadable region)";
    std::ostringstream text;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    const DWORD shown = data->rdh.nCount < 8 ? data->rdh.nCount : 8;
    text << data->rdh.nCount << " rectangles";
    for (DWORD i = 0; i < shown; ++i)
        text << " (" << rects[i].left << "," << rects[i].top << "," << rects[i].right << ","
             << rects[i].bottom << ")";
    if (shown < data->rdh.nCount)
        text << " ...";
    return text.str();
}

} // namespace

::testing::AssertionResult SameRegion(HRGN actual, HRGN expected) {
    if (actual && expected && EqualRgn(actual, expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "regions differ:\n  actual   " << Describe(actual)
                                         << "\n  expected " << Describe(expected);
}

::testing::AssertionResult IsEmptyRegion(HRGN region) {
    RECT box;
    if (region && GetRgnBox(region, &box) == NULLREGION)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not empty: " << Describe(region);
}
