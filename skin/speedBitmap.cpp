#include "skin/speedBitmap.h"

void TSpeedBitmap::Changed(TObject* sender) {
    TBitmap::Changed(sender);
    // Width is at most 16384, so the product fits easily.
    lineBytes_ = ((Width() * 24 + 31) & ~31) / 8;
    scanLine0_ = ScanLine(0);
    SetPixelFormat(pf24bit);
}
