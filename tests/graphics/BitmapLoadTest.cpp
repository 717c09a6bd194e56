#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>

#include "Pictures.h"
#include "framework/runtime/Exceptions.h"

namespace {

using pictures::DataFile;
using pictures::PixelAt;
using pictures::Pixels24;
using pictures::ReadBytes;
using pictures::Reference;
using pictures::Rgb;

// Fixture pictures were written by ImageMagick from one 16 x 8 picture (a
// red/green ramp with red, lime, blue and white corners and a yellow pixel
// at 5,3); each "<file>.rgb" beside them is ImageMagick's own decoding,
// top row first, as the reference.
struct Fixture {
    const char* file;
    TPixelFormat format;
    int tolerance; // 16-bit channels are widened differently by decoders
};

const Fixture kFixtures[] = {
    {"core24.bmp", pf24bit, 0}, {"core8.bmp", pf8bit, 0},   {"core4.bmp", pf4bit, 0},
    {"info24.bmp", pf24bit, 0}, {"info8.bmp", pf8bit, 0},   {"info4.bmp", pf4bit, 0},
    {"mono.bmp", pf1bit, 0},    {"rle8.bmp", pf8bit, 0},    {"v5_24.bmp", pf24bit, 0},
    {"argb32.bmp", pf32bit, 0}, {"rgb555.bmp", pf15bit, 8}, {"rgb565.bmp", pf16bit, 8},
};

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

void ExpectPixels(TBitmap& bitmap, const std::vector<Rgb>& expected, int tolerance,
                  const std::string& what) {
    std::vector<Rgb> actual = Pixels24(bitmap);
    ASSERT_EQ(actual.size(), expected.size()) << what;
    int wrong = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        if (!Near(actual[i], expected[i], tolerance) && wrong++ < 3)
            ADD_FAILURE() << what << " pixel " << i % bitmap.Width() << "," << i / bitmap.Width()
                          << ": " << actual[i].r << " " << actual[i].g << " " << actual[i].b
                          << " expected " << expected[i].r << " " << expected[i].g << " "
                          << expected[i].b;
    }
    EXPECT_EQ(wrong, 0) << what;
}

TEST(BitmapLoad, EveryFixtureVariantDecodesLikeTheReference) {
    for (const Fixture& f : kFixtures) {
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFromFile(DataFile(f.file))) << f.file;
        EXPECT_EQ(bitmap.Width(), 16) << f.file;
        EXPECT_EQ(bitmap.Height(), 8) << f.file;
        EXPECT_EQ(bitmap.PixelFormat(), f.format) << f.file;
        ExpectPixels(bitmap, Reference(f.file), f.tolerance, f.file);
    }
}

TEST(BitmapLoad, CornersLandWhereThePictureHasThem) {
    TBitmap bitmap;
    bitmap.LoadFromFile(DataFile("info24.bmp"));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 15, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(PixelAt(bitmap, 0, 7), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(bitmap, 15, 7), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(bitmap, 5, 3), (Rgb{255, 255, 0}));
}

// ---- files written byte by byte ----

struct Writer {
    std::vector<uint8_t> b;
    void u8(int v) { b.push_back(uint8_t(v)); }
    void u16(uint32_t v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    // File header and a 40-byte info header; the pixel offset is patched by Finish.
    void Headers(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                 uint32_t sizeImage = 0, uint32_t colorsUsed = 0) {
        u8('B');
        u8('M');
        u32(0);
        u32(0);
        u32(0);
        u32(40);
        u32(uint32_t(width));
        u32(uint32_t(height));
        u16(1);
        u16(bits);
        u32(compression);
        u32(sizeImage);
        u32(0);
        u32(0);
        u32(colorsUsed);
        u32(0);
    }
    void PixelsStartHere() {
        uint32_t off = uint32_t(b.size());
        for (int i = 0; i < 4; ++i)
            b[10 + i] = uint8_t(off >> (8 * i));
    }
};

// Palette entry i is (16 i, 255 - 16 i, i) so that every index is recognisable.
Rgb PaletteColour(int i) {
    return Rgb{16 * i, 255 - 16 * i, i};
}
void WritePalette(Writer& w, int count) {
    for (int i = 0; i < count; ++i) {
        Rgb c = PaletteColour(i);
        w.u8(c.b);
        w.u8(c.g);
        w.u8(c.r);
        w.u8(0);
    }
}

void LoadInto(TBitmap& bitmap, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    pictures::Fill(stream, bytes);
    bitmap.LoadFromStream(stream);
}

TEST(BitmapLoad, TopDownTwentyFourAndEightBit) {
    Writer w;
    w.Headers(2, -2, 24, 0);
    w.PixelsStartHere();
    // First row in the file is the top row.
    for (int v : {0, 0, 255, 0, 255, 0, 0, 0})
        w.u8(v); // red, green, padding
    for (int v : {255, 0, 0, 255, 255, 255, 0, 0})
        w.u8(v); // blue, white, padding
    TBitmap bitmap;
    LoadInto(bitmap, w.b);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(PixelAt(bitmap, 0, 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(bitmap, 1, 1), (Rgb{255, 255, 255}));
    EXPECT_EQ(bitmap.ScanLine(0) - bitmap.ScanLine(1), bitmap.RowBytes())
        << "kept bottom-up in memory";

    Writer p;
    p.Headers(3, -2, 8, 0, 0, 4);
    WritePalette(p, 4);
    p.PixelsStartHere();
    for (int v : {1, 2, 3, 0, 3, 2, 1, 0})
        p.u8(v);
    TBitmap paletted;
    LoadInto(paletted, p.b);
    EXPECT_EQ(paletted.PixelFormat(), pf8bit);
    EXPECT_EQ(PixelAt(paletted, 0, 0), PaletteColour(1));
    EXPECT_EQ(PixelAt(paletted, 2, 0), PaletteColour(3));
    EXPECT_EQ(PixelAt(paletted, 0, 1), PaletteColour(3));
}

TEST(BitmapLoad, Rle4EncodedAndAbsoluteRuns) {
    Writer w;
    const std::vector<int> data = {0x04, 0x12, 0x00, 0x00,              // bottom row: 1 2 1 2
                                   0x00, 0x04, 0x33, 0x44, 0x00, 0x01}; // top row: 3 3 4 4
    w.Headers(4, 2, 4, 2, uint32_t(data.size()), 16);
    WritePalette(w, 16);
    w.PixelsStartHere();
    for (int v : data)
        w.u8(v);
    TBitmap bitmap;
    LoadInto(bitmap, w.b);
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    const int expected[2][4] = {{3, 3, 4, 4}, {1, 2, 1, 2}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(bitmap, x, y), PaletteColour(expected[y][x])) << x << "," << y;
}

TEST(BitmapLoad, Rle8WithADeltaLeavesSkippedPixelsAtIndexZero) {
    Writer w;
    const std::vector<int> data = {0x02, 0x05, 0x02, 0x06, 0x00, 0x00, // bottom: 5 5 6 6
                                   0x00, 0x02, 0x02, 0x01,             // skip 2 right, 1 up
                                   0x02, 0x07, 0x00, 0x01};            // top: _ _ 7 7
    w.Headers(4, 3, 8, 1, 0, 8); // size 0: the loader uses the bytes present
    WritePalette(w, 8);
    w.PixelsStartHere();
    for (int v : data)
        w.u8(v);
    TBitmap bitmap;
    LoadInto(bitmap, w.b);
    EXPECT_EQ(PixelAt(bitmap, 0, 2), PaletteColour(5));
    EXPECT_EQ(PixelAt(bitmap, 3, 2), PaletteColour(6));
    EXPECT_EQ(PixelAt(bitmap, 2, 0), PaletteColour(7));
    EXPECT_EQ(PixelAt(bitmap, 3, 0), PaletteColour(7));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), PaletteColour(0));
    EXPECT_EQ(PixelAt(bitmap, 1, 1), PaletteColour(0));
}

TEST(BitmapLoad, HostileRleStreamsEndInAPictureOrAnError) {
    const std::vector<std::vector<int>> streams = {
        {0xFF, 0x01, 0xFF, 0x02, 0xFF, 0x03},             // runs far past the row, no end
        {0x00, 0x02, 0xFF, 0xFF, 0x02, 0x01, 0x00, 0x01}, // delta out of the picture
        {0x00, 0xFE, 0x01, 0x02},                         // absolute run longer than the data
        {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, // more rows than the picture has
        {0x00},                                           // a lone escape byte
    };
    for (size_t i = 0; i < streams.size(); ++i) {
        Writer w;
        w.Headers(4, 2, 8, 1, uint32_t(streams[i].size()), 4);
        WritePalette(w, 4);
        w.PixelsStartHere();
        for (int v : streams[i])
            w.u8(v);
        TBitmap bitmap;
        try {
            LoadInto(bitmap, w.b);
            EXPECT_EQ(bitmap.Width(), 4) << i;
            EXPECT_EQ(bitmap.Height(), 2) << i;
            EXPECT_EQ(Pixels24(bitmap).size(), 8u) << i;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap-Bild ist nicht g\xFCltig: die Pixeldaten lassen sich "
                                   "nicht entschl\xFCsseln");
        }
    }
}

TEST(BitmapLoad, SixteenBitWithoutMasksIsFiveFiveFive) {
    Writer w;
    w.Headers(2, 1, 16, 0);
    w.PixelsStartHere();
    w.u16(0x7C00); // red
    w.u16(0x001F); // blue
    TBitmap bitmap;
    LoadInto(bitmap, w.b);
    EXPECT_EQ(bitmap.PixelFormat(), pf15bit);
    Rgb red = PixelAt(bitmap, 0, 0);
    Rgb blue = PixelAt(bitmap, 1, 0);
    EXPECT_GE(red.r, 248);
    EXPECT_EQ(red.g, 0);
    EXPECT_GE(blue.b, 248);
    EXPECT_EQ(blue.r, 0);
}

TEST(BitmapLoad, BitfieldMasksAfterAFortyByteHeader) {
    Writer w;
    w.Headers(2, 1, 16, 3);
    w.u32(0xF800);
    w.u32(0x07E0);
    w.u32(0x001F);
    w.PixelsStartHere();
    w.u16(0x07E0); // green
    w.u16(0xF800); // red
    TBitmap bitmap;
    LoadInto(bitmap, w.b);
    EXPECT_EQ(bitmap.PixelFormat(), pf16bit);
    Rgb green = PixelAt(bitmap, 0, 0);
    Rgb red = PixelAt(bitmap, 1, 0);
    EXPECT_GE(green.g, 250);
    EXPECT_EQ(green.r + green.b, 0);
    EXPECT_GE(red.r, 248);
    EXPECT_EQ(red.g + red.b, 0);

    // The same file without its masks: the pixel data would be read as masks.
    Writer bad;
    bad.Headers(2, 1, 16, 3);
    bad.PixelsStartHere();
    bad.u16(0x07E0);
    bad.u16(0xF800);
    bad.u32(0);
    bad.u32(0);
    TBitmap rejected;
    EXPECT_THROW(LoadInto(rejected, bad.b), EInvalidGraphic);
}

TEST(BitmapLoad, UnusualMasksAreConvertedByThePlatform) {
    // 32 bit with red in the lowest byte, blue in the third.
    Writer w;
    w.Headers(2, 1, 32, 3);
    w.u32(0x000000FF);
    w.u32(0x0000FF00);
    w.u32(0x00FF0000);
    w.PixelsStartHere();
    w.u32(0x000000FF); // red
    w.u32(0x00FF0000); // blue
    TBitmap bitmap;
    LoadInto(bitmap, w.b);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), (Rgb{0, 0, 255}));

    // 16 bit 4-4-4 becomes a 24-bit picture.
    Writer q;
    q.Headers(1, 1, 16, 3);
    q.u32(0x0F00);
    q.u32(0x00F0);
    q.u32(0x000F);
    q.PixelsStartHere();
    q.u16(0x0F00);
    q.u16(0);
    TBitmap other;
    LoadInto(other, q.b);
    EXPECT_EQ(other.PixelFormat(), pf24bit);
    Rgb c = PixelAt(other, 0, 0);
    EXPECT_GE(c.r, 240);
    EXPECT_EQ(c.g, 0);
    EXPECT_EQ(c.b, 0);
}

TEST(BitmapLoad, ReadsFromTheCurrentPositionAndStopsAfterThePicture) {
    std::vector<uint8_t> file = ReadBytes(DataFile("info24.bmp"));
    std::vector<uint8_t> bytes = {'x', 'y', 'z'};
    bytes.insert(bytes.end(), file.begin(), file.end());
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
    TMemoryStream stream;
    pictures::Fill(stream, bytes);
    stream.SetPosition(3);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.Width(), 16);
    EXPECT_EQ(stream.Position(), 3 + static_cast<int64_t>(file.size()));
}

// The same bytes in a file and in memory (a memory stream is decoded where
// it lies, a file through a copy): both must give the same pixels and leave
// the position where the next read starts.
class FileAndMemory {
public:
    explicit FileAndMemory(const std::vector<uint8_t>& bytes) {
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        name_ = std::string(folder) + "ovalyn_two_streams.bmp";
        {
            TFileStream out(name_, fm::fmCreate);
            out.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        }
        file_ = std::make_unique<TFileStream>(name_, fm::fmOpenRead | fm::fmShareDenyWrite);
        pictures::Fill(memory_, bytes);
    }
    ~FileAndMemory() {
        file_.reset();
        ::DeleteFileA(name_.c_str());
    }
    void SetPosition(int64_t position) {
        file_->SetPosition(position);
        memory_.SetPosition(position);
    }
    // Loads the next bitmap from both; returns the position both are left at.
    int64_t LoadNext(const std::string& what, std::vector<Rgb>* pixels = nullptr) {
        TBitmap fromFile;
        TBitmap fromMemory;
        fromFile.LoadFromStream(*file_);
        fromMemory.LoadFromStream(memory_);
        EXPECT_EQ(fromMemory.Width(), fromFile.Width()) << what;
        EXPECT_EQ(fromMemory.PixelFormat(), fromFile.PixelFormat()) << what;
        EXPECT_EQ(Pixels24(fromMemory), Pixels24(fromFile)) << what;
        EXPECT_EQ(memory_.Position(), file_->Position()) << what;
        if (pixels)
            *pixels = Pixels24(fromMemory);
        return memory_.Position();
    }

private:
    std::string name_;
    std::unique_ptr<TFileStream> file_;
    TMemoryStream memory_;
};

TEST(BitmapLoad, MemoryAndFileStreamsAgreeOnPixelsAndTheEndOfEveryFixture) {
    for (const Fixture& f : kFixtures) {
        std::vector<uint8_t> bytes = ReadBytes(DataFile(f.file));
        FileAndMemory streams(bytes);
        EXPECT_EQ(streams.LoadNext(f.file), static_cast<int64_t>(bytes.size())) << f.file;
    }
}

TEST(BitmapLoad, MemoryAndFileStreamsAgreeBehindAPrefixAndBeforeMoreBytes) {
    std::vector<uint8_t> picture = ReadBytes(DataFile("core8.bmp"));
    std::vector<uint8_t> bytes = {'x', 'y', 'z'};
    bytes.insert(bytes.end(), picture.begin(), picture.end());
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
    FileAndMemory streams(bytes);
    streams.SetPosition(3);
    std::vector<Rgb> pixels;
    EXPECT_EQ(streams.LoadNext("core8.bmp", &pixels), 3 + static_cast<int64_t>(picture.size()));
    EXPECT_EQ(pixels, Reference("core8.bmp"));
}

// Each file's bytes one after the other, then a few more.
std::vector<uint8_t> BackToBack(const std::vector<const char*>& files, std::vector<int64_t>& ends) {
    std::vector<uint8_t> bytes;
    for (const char* file : files) {
        std::vector<uint8_t> one = ReadBytes(DataFile(file));
        bytes.insert(bytes.end(), one.begin(), one.end());
        ends.push_back(static_cast<int64_t>(bytes.size()));
    }
    bytes.insert(bytes.end(), 7, 0xEE);
    return bytes;
}

void ExpectEachLoadsInTurn(const std::vector<const char*>& files) {
    std::vector<int64_t> ends;
    FileAndMemory streams(BackToBack(files, ends));
    for (size_t i = 0; i < files.size(); ++i) {
        std::vector<Rgb> pixels;
        ASSERT_EQ(streams.LoadNext(files[i], &pixels), ends[i]) << files[i];
        EXPECT_EQ(pixels, Reference(files[i])) << files[i];
    }
}

TEST(BitmapLoad, BitmapsBackToBackLoadOneAfterTheOtherFromEitherStream) {
    ExpectEachLoadsInTurn({"core4.bmp", "info24.bmp", "argb32.bmp", "v5_24.bmp"});
}

// A run-length encoded picture says in its header how many bytes its data
// takes: what follows is the next picture, not more of its data.
TEST(BitmapLoad, RunLengthPictureEndsWhereItsHeaderSaysSoTheNextOneLoads) {
    ExpectEachLoadsInTurn({"rle8.bmp", "info24.bmp"});
}

TEST(BitmapLoad, DamagedFilesGetAClearMessage) {
    std::vector<uint8_t> file = ReadBytes(DataFile("info24.bmp"));
    ASSERT_GT(file.size(), 54u);
    const struct {
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {std::vector<uint8_t>(file.begin(), file.begin() + 30), "Bitmap-Kopf zu kurz"},
        {std::vector<uint8_t>(file.begin(), file.end() - 10), "Pixeldaten zu kurz ("},
        {[&] {
             auto b = file;
             b[10] = 0xFF;
             b[11] = 0xFF;
             return b;
         }(),
         "Beginn der Pixeldaten au\xDF"
         "erhalb der Datei"},
        {[&] {
             auto b = file;
             b[28] = 7;
             return b;
         }(),
         "7 Bit pro Pixel werden nicht unterst\xFCtzt"},
        {[&] {
             auto b = file;
             b[0] = 'P';
             return b;
         }(),
         "keine Bitmap-Datei (die Kennung \"BM\" fehlt)"},
    };
    for (const auto& c : cases) {
        TBitmap bitmap;
        try {
            LoadInto(bitmap, c.bytes);
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().rfind("Bitmap-Bild ist nicht g\xFCltig: ", 0), 0u) << e.Message();
            EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.Message();
        }
        EXPECT_TRUE(bitmap.Empty());
    }
}

TEST(BitmapLoad, DamagedFileMessageNamesTheFile) {
    char folder[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, folder), 0u);
    std::string name = std::string(folder) + "ovalyn_damaged.bmp";
    {
        TFileStream out(name, fm::fmCreate);
        out.WriteBuffer("BM\0\0", 4);
    }
    TBitmap bitmap;
    try {
        bitmap.LoadFromFile(name);
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(name), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("Bitmap-Kopf zu kurz"), std::string::npos) << e.Message();
    }
    ::DeleteFileA(name.c_str());
}

} // namespace
