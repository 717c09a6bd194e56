#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "framework/graphics/Canvas.h"
#include "framework/portable/BmpHeader.h"
#include "framework/runtime/Exceptions.h"

struct TBitmap::Image {
    BitmapHandle handle;
    uint8_t* bits = nullptr; // DIB pixel memory; nullptr for a device bitmap
    int stride = 0;
    std::vector<uint8_t> info; // BITMAPINFOHEADER + colour table / masks
    int width = 0;
    int height = 0;
};

namespace {

const char kRowIndexError[] = "Bereichs\xFC"
                              "berschreitung bei Zeilenindex";
const char kInvalidBitmap[] = "Bitmap-Bild ist nicht g\xFC"
                              "ltig: ";

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    case pf32bit:
        return 32;
    case pfDevice:
        break;
    }
    return 0;
}

int PaletteSize(TPixelFormat format) {
    int bits = BitsPerPixel(format);
    return bits >= 1 && bits <= 8 ? 1 << bits : 0;
}

int RowStride(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

RGBQUAD Quad(uint8_t r, uint8_t g, uint8_t b) {
    return RGBQUAD{b, g, r, 0};
}

// Black/white; the 16 VGA colours; those, a 6x6x6 colour cube and 24 greys.
std::vector<RGBQUAD> DefaultPalette(TPixelFormat format) {
    static const RGBQUAD kVga[16] = {
        Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
        Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
        Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
        Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
    std::vector<RGBQUAD> palette;
    switch (format) {
    case pf1bit:
        palette = {Quad(0, 0, 0), Quad(255, 255, 255)};
        break;
    case pf4bit:
        palette.assign(kVga, kVga + 16);
        break;
    case pf8bit:
        palette.assign(kVga, kVga + 16);
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back(Quad(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
        for (int i = 0; i < 24; ++i)
            palette.push_back(Quad(uint8_t(8 + i * 10), uint8_t(8 + i * 10), uint8_t(8 + i * 10)));
        break;
    default:
        break;
    }
    return palette;
}

const BITMAPINFOHEADER& Header(const std::vector<uint8_t>& info) {
    return *reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
}

std::vector<RGBQUAD> PaletteOf(const std::vector<uint8_t>& info) {
    std::vector<RGBQUAD> palette;
    if (info.size() <= sizeof(BITMAPINFOHEADER) || Header(info).biCompression != BI_RGB)
        return palette;
    size_t count = (info.size() - sizeof(BITMAPINFOHEADER)) / sizeof(RGBQUAD);
    palette.resize(count);
    std::memcpy(palette.data(), info.data() + sizeof(BITMAPINFOHEADER), count * sizeof(RGBQUAD));
    return palette;
}

// Header and colour table of a bottom-up DIB in the given format.
std::vector<uint8_t> BuildInfo(int width, int height, TPixelFormat format,
                               const std::vector<RGBQUAD>& palette) {
    const bool bitfields = format == pf16bit;
    size_t tableBytes = bitfields ? 3 * sizeof(DWORD) : palette.size() * sizeof(RGBQUAD);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + tableBytes, 0);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(BitsPerPixel(format));
    h->biCompression = bitfields ? BI_BITFIELDS : BI_RGB;
    h->biSizeImage = static_cast<DWORD>(RowStride(width, h->biBitCount) * height);
    uint8_t* table = info.data() + sizeof(BITMAPINFOHEADER);
    if (bitfields) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(table, masks, sizeof(masks));
    } else if (!palette.empty()) {
        std::memcpy(table, palette.data(), tableBytes);
    }
    return info;
}

std::string SizeText(int width, int height) {
    return "Bitmap-Gr\xF6\xDF" + std::string("e ") + std::to_string(width) + " x " +
           std::to_string(height);
}

void CheckSize(int width, int height) {
    if (width < 0 || height < 0)
        throw EInvalidGraphicOperation("Negative " + SizeText(width, height));
    if (width > kMaxBitmapSide || height > kMaxBitmapSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 > kMaxBitmapBytes)
        throw EInvalidGraphicOperation(SizeText(width, height) + " ist zu gro\xDF");
}

// A memory DC with a bitmap selected for a scope. Selecting fails when the
// bitmap is already selected elsewhere, so callers use the canvas DC then.
class SelectedBitmapDc {
public:
    explicit SelectedBitmapDc(HBITMAP bitmap)
        : dc_(MemoryDc::CompatibleWith(nullptr)), select_(dc_.get(), bitmap) {}
    HDC get() const { return dc_.get(); }

private:
    MemoryDc dc_;
    ScopedSelect select_;
};

void FillWhite(HBITMAP bitmap, int width, int height) {
    SelectedBitmapDc dc(bitmap);
    RECT r{0, 0, width, height};
    ::FillRect(dc.get(), &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

TPixelFormat ScreenFormat() {
    HDC screen = ::GetDC(nullptr);
    int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 15:
        return pf15bit;
    case 16:
        return pf16bit;
    case 24:
        return pf24bit;
    default:
        return pf32bit;
    }
}

} // namespace

// ---- construction and state ---------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    if (canvasDc_)
        ::SelectObject(canvasDc_, canvasStockBitmap_);
    canvas_.reset();
}

TBitmap::Image TBitmap::MakeImage(int width, int height, TPixelFormat format,
                                  const std::vector<RGBQUAD>& palette) const {
    CheckSize(width, height);
    Image image;
    image.width = width;
    image.height = height;
    std::vector<RGBQUAD> table = palette;
    if (PaletteSize(format) == 0)
        table.clear();
    else if (table.empty())
        table = DefaultPalette(format);
    table.resize(static_cast<size_t>(PaletteSize(format)), Quad(0, 0, 0));
    if (format != pfDevice)
        image.info = BuildInfo(width, height, format, table);
    if (width == 0 || height == 0)
        return image;

    if (format == pfDevice) {
        HDC screen = ::GetDC(nullptr);
        image.handle.reset(::CreateCompatibleBitmap(screen, width, height));
        ::ReleaseDC(nullptr, screen);
    } else {
        void* bits = nullptr;
        image.handle.reset(
            ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(image.info.data()),
                               DIB_RGB_COLORS, &bits, nullptr, 0));
        image.bits = static_cast<uint8_t*>(bits);
        image.stride = RowStride(width, BitsPerPixel(format));
    }
    if (!image.handle)
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    return image;
}

void TBitmap::Replace(Image&& image) {
    if (canvasDc_)
        ::SelectObject(canvasDc_, image.handle ? static_cast<HGDIOBJ>(image.handle.get())
                                               : canvasStockBitmap_);
    handle_ = std::move(image.handle); // the old bitmap is deselected, so it can go
    bits_ = image.bits;
    stride_ = image.stride;
    info_ = std::move(image.info);
    width_ = image.width;
    height_ = image.height;
}

void TBitmap::TakeOver(TBitmap& other) {
    if (&other == this)
        return;
    // A descendant may hold pointers into its pixels (a speed bitmap does)
    // or refuse to be empty: it is copied from instead.
    if (typeid(other) != typeid(TBitmap)) {
        Assign(&other);
        return;
    }
    if (other.canvasDc_)
        ::SelectObject(other.canvasDc_, other.canvasStockBitmap_);
    Image taken;
    taken.handle = std::move(other.handle_);
    taken.bits = other.bits_;
    taken.stride = other.stride_;
    taken.info = other.info_;
    taken.width = other.width_;
    taken.height = other.height_;
    other.bits_ = nullptr;
    other.stride_ = 0;
    other.width_ = 0;
    other.height_ = 0;
    Replace(std::move(taken));
    pixelFormat_ = other.pixelFormat_;
    Changed(this);
    other.Changed(&other); // its watchers learn that it is empty now
}

void TBitmap::CopyPixelsInto(Image& target) const {
    const int w = std::min(width_, target.width);
    const int h = std::min(height_, target.height);
    if (w <= 0 || h <= 0 || !handle_ || !target.handle)
        return;
    ::GdiFlush();
    if (bits_ && target.bits && info_ == target.info) {
        // Same layout: rows are copied as they are (exact for every format).
        const size_t rowBytes = static_cast<size_t>((w * Header(info_).biBitCount + 7) / 8);
        for (int row = 0; row < h; ++row)
            std::memcpy(target.bits + static_cast<size_t>(target.height - 1 - row) * target.stride,
                        bits_ + static_cast<size_t>(height_ - 1 - row) * stride_, rowBytes);
        return;
    }
    SelectedBitmapDc to(target.handle.get());
    if (canvasDc_) {
        ::BitBlt(to.get(), 0, 0, w, h, canvasDc_, 0, 0, SRCCOPY);
    } else {
        SelectedBitmapDc from(handle_.get());
        ::BitBlt(to.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
}

void TBitmap::Resize(int width, int height) {
    if (width == width_ && height == height_)
        return;
    Image image = MakeImage(width, height, pixelFormat_, PaletteOf(info_));
    if (image.handle)
        FillWhite(image.handle.get(), width, height);
    CopyPixelsInto(image);
    Replace(std::move(image));
    Changed(this);
}

void TBitmap::SetWidth(int width) {
    Resize(width, height_);
}
void TBitmap::SetHeight(int height) {
    Resize(width_, height);
}
void TBitmap::SetSize(int width, int height) {
    Resize(width, height);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pixelFormat_)
        return;
    Image image = MakeImage(width_, height_, format, {});
    CopyPixelsInto(image);
    Replace(std::move(image));
    pixelFormat_ = format;
    Changed(this);
}

void TBitmap::EnsureDib() {
    if (pixelFormat_ != pfDevice)
        return;
    // A representation change only: the pixels stay, so no notification.
    TPixelFormat format = ScreenFormat();
    Image image = MakeImage(width_, height_, format, {});
    CopyPixelsInto(image);
    Replace(std::move(image));
    pixelFormat_ = format;
}

uint8_t* TBitmap::ScanLine(int row) {
    if (row < 0 || row >= height_)
        throw EInvalidGraphicOperation(kRowIndexError);
    EnsureDib();
    ::GdiFlush(); // drawing through the canvas may still be queued
    return bits_ + static_cast<size_t>(height_ - 1 - row) * stride_;
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        MemoryDc dc = MemoryDc::CompatibleWith(nullptr);
        if (!dc)
            throw EOutOfMemory("Zu wenig Arbeitsspeicher");
        canvasDc_ = dc.get();
        canvasStockBitmap_ = ::GetCurrentObject(canvasDc_, OBJ_BITMAP);
        if (handle_)
            ::SelectObject(canvasDc_, handle_.get());
        canvas_ = std::make_unique<TCanvas>(std::move(dc));
        canvas_->OnChange = [this](TObject*) { Changed(this); };
    }
    return *canvas_;
}

// ---- assignment and drawing ---------------------------------------------------

void TBitmap::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (source == nullptr) {
        Replace(MakeImage(0, 0, pixelFormat_, PaletteOf(info_)));
        Changed(this);
        return;
    }
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        Image image =
            MakeImage(other->width_, other->height_, other->pixelFormat_, PaletteOf(other->info_));
        other->CopyPixelsInto(image);
        Replace(std::move(image));
        pixelFormat_ = other->pixelFormat_;
        Changed(this);
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        Image image =
            MakeImage(graphic->Width(), graphic->Height(), pixelFormat_, PaletteOf(info_));
        if (image.handle)
            FillWhite(image.handle.get(), image.width, image.height);
        Replace(std::move(image));
        if (!graphic->Empty())
            graphic->Draw(Canvas(), Rect(0, 0, width_, height_));
        Changed(this);
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty() || !handle_)
        return;
    HDC target = canvas.Handle();
    auto blit = [&](HDC from) {
        if (rect.Width() == width_ && rect.Height() == height_) {
            ::BitBlt(target, rect.Left, rect.Top, width_, height_, from, 0, 0, canvas.CopyMode());
        } else {
            int oldMode = ::SetStretchBltMode(target, COLORONCOLOR);
            ::StretchBlt(target, rect.Left, rect.Top, rect.Width(), rect.Height(), from, 0, 0,
                         width_, height_, canvas.CopyMode());
            ::SetStretchBltMode(target, oldMode);
        }
    };
    if (canvasDc_) {
        blit(canvasDc_);
    } else {
        SelectedBitmapDc from(handle_.get());
        blit(from.get());
    }
}

// ---- BMP files --------------------------------------------------------------------

void TBitmap::LoadFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    const int64_t remaining = stream.Size() - start;
    if (remaining <= 0) {
        // An empty bitmap is saved as no bytes at all.
        Replace(MakeImage(0, 0, pixelFormat_, PaletteOf(info_)));
        Changed(this);
        return;
    }
    // Headers, palette and the largest pixel data the checks accept.
    const int64_t cap = static_cast<int64_t>(kMaxBitmapBytes) + 65536;
    const size_t length = static_cast<size_t>(std::min(remaining, cap));
    // A memory stream is read where it lies instead of through a copy.
    std::vector<uint8_t> copy;
    const uint8_t* file = nullptr;
    if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
        file = memory->Memory() + start;
    } else {
        copy.resize(length);
        stream.ReadBuffer(copy.data(), static_cast<int64_t>(length));
        file = copy.data();
    }

    // A rejected picture leaves the stream where it began, whatever its kind.
    try {
        DecodeBmp(file, length, stream, start);
    } catch (...) {
        stream.SetPosition(start);
        throw;
    }
}

void TBitmap::DecodeBmp(const uint8_t* file, size_t length, TStream& stream, int64_t start) {
    TBmpCheck check = CheckBmpFile(file, length);
    if (!check.Ok)
        throw EInvalidGraphic(kInvalidBitmap + GermanError(check));
    const TBmpGeometry& g = check.Geometry;
    const bool rle = g.Compression == kBiRle8 || g.Compression == kBiRle4;

    // The pixel format the bitmap takes, and whether the rows can be copied as they are.
    TPixelFormat format = pf24bit;
    bool sameLayout = !rle;
    switch (g.BitCount) {
    case 1:
        format = pf1bit;
        break;
    case 4:
        format = pf4bit;
        break;
    case 8:
        format = pf8bit;
        break;
    case 16:
        if (g.Compression == kBiRgb ||
            (g.RedMask == 0x7C00 && g.GreenMask == 0x03E0 && g.BlueMask == 0x001F)) {
            format = pf15bit;
        } else if (g.RedMask == 0xF800 && g.GreenMask == 0x07E0 && g.BlueMask == 0x001F) {
            format = pf16bit;
        } else {
            format = pf24bit;
            sameLayout = false;
        }
        break;
    case 24:
        format = pf24bit;
        break;
    case 32:
        format = pf32bit;
        sameLayout = g.Compression == kBiRgb ||
                     (g.RedMask == 0xFF0000 && g.GreenMask == 0x00FF00 && g.BlueMask == 0x0000FF);
        break;
    }

    std::vector<RGBQUAD> palette;
    for (uint32_t i = 0; i < g.PaletteEntries && g.BitCount <= 8; ++i) {
        const uint8_t* p = file + g.PaletteOffset + i * g.PaletteEntrySize;
        palette.push_back(RGBQUAD{p[0], p[1], p[2], 0});
    }

    Image image = MakeImage(g.Width, g.Height, format, palette);
    const uint8_t* pixels = file + g.PixelOffset;
    const uint32_t rleBytes = rle ? g.RleBytes : 0;
    if (sameLayout) {
        for (int row = 0; row < g.Height; ++row) {
            int fileRow = g.TopDown ? row : g.Height - 1 - row;
            std::memcpy(image.bits + static_cast<size_t>(g.Height - 1 - row) * image.stride,
                        pixels + static_cast<size_t>(fileRow) * g.Stride, g.Stride);
        }
    } else {
        // The platform decodes RLE and unusual masks from a plain info header
        // rebuilt from the checked fields (so no other header layout reaches it).
        std::vector<uint8_t> decodeInfo(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        auto* h = reinterpret_cast<BITMAPINFOHEADER*>(decodeInfo.data());
        h->biSize = sizeof(BITMAPINFOHEADER);
        h->biWidth = g.Width;
        h->biHeight = g.TopDown ? -g.Height : g.Height;
        h->biPlanes = 1;
        h->biBitCount = g.BitCount;
        h->biCompression = g.Compression;
        h->biSizeImage = rleBytes;
        h->biClrUsed = g.BitCount <= 8 ? static_cast<DWORD>(palette.size()) : 0;
        uint8_t* table = decodeInfo.data() + sizeof(BITMAPINFOHEADER);
        if (g.Compression == kBiBitfields) {
            const DWORD masks[3] = {g.RedMask, g.GreenMask, g.BlueMask};
            std::memcpy(table, masks, sizeof(masks));
        } else if (!palette.empty()) {
            std::memcpy(table, palette.data(), palette.size() * sizeof(RGBQUAD));
        }
        std::memset(image.bits, 0, static_cast<size_t>(image.stride) * image.height);
        HDC screen = ::GetDC(nullptr);
        int lines =
            ::SetDIBits(screen, image.handle.get(), 0, static_cast<UINT>(g.Height), pixels,
                        reinterpret_cast<const BITMAPINFO*>(decodeInfo.data()), DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        if (lines <= 0)
            throw EInvalidGraphic(std::string(kInvalidBitmap) +
                                  "die Pixeldaten lassen sich nicht entschl\xFCsseln");
        ::GdiFlush();
    }

    const uint64_t used =
        uint64_t(g.PixelOffset) + (rle ? g.RleBytes : uint64_t(g.Stride) * uint64_t(g.Height));
    stream.SetPosition(start + static_cast<int64_t>(std::min<uint64_t>(used, length)));
    Replace(std::move(image));
    pixelFormat_ = format;
    Changed(this);
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty() || !handle_)
        return; // an empty bitmap is saved as no bytes (and loads back empty)
    const Image* source = nullptr;
    Image converted;
    Image own;
    if (pixelFormat_ == pfDevice) {
        converted = MakeImage(width_, height_, pf24bit, {});
        CopyPixelsInto(converted);
        source = &converted;
    } else {
        ::GdiFlush();
        own.bits = bits_;
        own.stride = stride_;
        own.info = info_;
        own.width = width_;
        own.height = height_;
        source = &own;
    }
    const uint32_t pixelBytes = static_cast<uint32_t>(source->stride) * source->height;
    const uint32_t offset = 14 + static_cast<uint32_t>(source->info.size());
    uint8_t fileHeader[14] = {'B', 'M'};
    const uint32_t fileSize = offset + pixelBytes;
    std::memcpy(fileHeader + 2, &fileSize, 4);
    std::memcpy(fileHeader + 10, &offset, 4);
    stream.WriteBuffer(fileHeader, sizeof(fileHeader));
    stream.WriteBuffer(source->info.data(), static_cast<int64_t>(source->info.size()));
    stream.WriteBuffer(source->bits, pixelBytes);
}
