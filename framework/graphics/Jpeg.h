// TJPEGImage: a JPEG picture decoded with libjpeg into a 24-bit bitmap.
// Pictures are only read: saving writes back the bytes that were loaded.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"

class TBitmap;

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;
    const char* ClassName() const override { return "TJPEGImage"; }

    // From another TJPEGImage: its data and pixels; nullptr empties.
    void Assign(TPersistent* source) override;

    int Width() const override;
    int Height() const override;
    // A JPEG's size comes from its data: these raise EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetSize(int width, int height) override;

    // Reads the rest of the stream and decodes it. Damaged data, pictures
    // larger than 16384 x 16384 or 256 MiB of pixels raise EInvalidGraphic
    // naming the problem; the picture is then left as it was.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    void Draw(TCanvas& canvas, const TRect& rect) override;

    // The decoded pixels (pf24bit); owned by the picture.
    TBitmap& Bitmap() { return *bitmap_; }

private:
    std::vector<uint8_t> data_;
    std::unique_ptr<TBitmap> bitmap_;
};
