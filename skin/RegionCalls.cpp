#include "skin/RegionCalls.h"

namespace {

HRGN WINAPI SystemCreateRectRgn(int left, int top, int right, int bottom) {
    return ::CreateRectRgn(left, top, right, bottom);
}
int WINAPI SystemCombineRgn(HRGN dest, HRGN source1, HRGN source2, int mode) {
    return ::CombineRgn(dest, source1, source2, mode);
}
BOOL WINAPI SystemDeleteObject(HGDIOBJ object) {
    return ::DeleteObject(object);
}
int WINAPI SystemSetWindowRgn(HWND window, HRGN region, BOOL redraw) {
    return ::SetWindowRgn(window, region, redraw);
}

HRGN WINAPI SystemExtCreateRegion(const XFORM* transform, DWORD size, const RGNDATA* data) {
    return ::ExtCreateRegion(transform, size, data);
}

const TRegionCalls systemCalls{SystemCreateRectRgn, SystemCombineRgn, SystemDeleteObject,
                               SystemSetWindowRgn, SystemExtCreateRegion};

} // namespace

TRegionCalls& RegionCalls() {
    static TRegionCalls calls = systemCalls;
    return calls;
}

const TRegionCalls& SystemRegionCalls() {
    return systemCalls;
}
