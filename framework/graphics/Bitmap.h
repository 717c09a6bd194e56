// TBitmap: a picture held as a DIB section (or, for pfDevice, a bitmap
// compatible with the screen), with a canvas on a memory DC, direct row
// access and BMP loading and saving. Every modification ends in Changed(this).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "framework/win32/Handles.h"

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    const char* ClassName() const override { return "TBitmap"; }

    // From a TBitmap (or descendant): copies size, pixel format, palette and
    // pixels. From another TGraphic: takes its size and draws it. nullptr
    // empties the bitmap (0 x 0). Each ends in one Changed(this).
    void Assign(TPersistent* source) override;
    // As Assign from other, but the pixels of a plain TBitmap move instead of
    // being copied: other is left empty and notified after this bitmap. From
    // a descendant it is Assign.
    void TakeOver(TBitmap& other);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // The overlapping pixels are kept; new pixels are white. A negative size
    // raises EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetSize(int width, int height) override;

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    // Converts the pixels to the format (one Changed for the conversion);
    // setting the current format again changes nothing.
    void SetPixelFormat(TPixelFormat format);

    // Row `row` of the pixel memory, row 0 being the top row. Rows of a
    // bottom-up DIB lie bottom-up in memory. A pfDevice bitmap becomes a DIB of
    // the screen's depth first. A row outside 0..Height-1 raises
    // EInvalidGraphicOperation "Bereichsüberschreitung bei Zeilenindex".
    // Writing through the pointer sends no notification.
    uint8_t* ScanLine(int row);
    // Bytes per row of the DIB (padded to 4); 0 for pfDevice.
    int RowBytes() const { return stride_; }

    // A canvas on a memory DC with this bitmap selected, owned by the bitmap;
    // every drawing operation on it ends in Changed(this). Its OnChange is the
    // bitmap's hook and must not be replaced.
    TCanvas& Canvas();
    bool HasCanvas() const { return canvas_ != nullptr; }

    // The HBITMAP, owned by the bitmap; nullptr while empty. Valid until the
    // next change of size or format.
    HBITMAP Handle() const { return handle_.get(); }

    // BMP only: the headers are checked (EInvalidGraphic naming what is
    // wrong), then GDI decodes the pixels. Core, info, v4 and v5 headers;
    // 1/4/8/16/24/32 bits; RLE4, RLE8, bitfields; bottom-up and top-down.
    void LoadFromStream(TStream& stream) override;
    // Writes a BMP in the bitmap's own format (pfDevice as 24 bit).
    void SaveToStream(TStream& stream) override;

    void Draw(TCanvas& canvas, const TRect& rect) override;

    // The platform's description of the pixel memory (palette included) for
    // GetDIBits/SetDIBits style calls; meaningless for pfDevice.
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info_.data()); }

private:
    struct Image;
    Image MakeImage(int width, int height, TPixelFormat format,
                    const std::vector<RGBQUAD>& palette) const;
    void Replace(Image&& image);
    void Resize(int width, int height);
    // Copies the overlapping pixels of this bitmap into target (converting).
    void CopyPixelsInto(Image& target) const;
    // The checks and decoding of LoadFromStream; file holds length bytes read
    // from stream at start.
    void DecodeBmp(const uint8_t* file, size_t length, TStream& stream, int64_t start);
    void EnsureDib();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pfDevice;
    BitmapHandle handle_;
    uint8_t* bits_ = nullptr; // DIB pixel memory, owned by handle_
    int stride_ = 0;
    std::vector<uint8_t> info_; // BITMAPINFOHEADER + colour table or masks
    // The canvas and its DC: the bitmap keeps its HBITMAP selected into the DC.
    std::unique_ptr<TCanvas> canvas_;
    HDC canvasDc_ = nullptr;              // owned by canvas_
    HGDIOBJ canvasStockBitmap_ = nullptr; // what the canvas DC held first
};
