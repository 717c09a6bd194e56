#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "framework/portable/BmpHeader.h"

namespace {

// Builds BMP files byte by byte so each test can break one field.
struct BmpBuilder {
    uint32_t headerSize = 40;
    int32_t width = 4;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    uint32_t paletteEntries = 0; // entries actually written
    bool writeMasksAfterHeader = false;
    uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    int64_t pixelOffsetDelta = 0; // added to the real offset
    int64_t pixelBytes = -1;      // -1: exactly stride * rows

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> b;
        auto u16 = [&](uint32_t v) {
            b.push_back(uint8_t(v));
            b.push_back(uint8_t(v >> 8));
        };
        auto u32 = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b.push_back(uint8_t(v >> (8 * i)));
        };
        b.push_back('B');
        b.push_back('M');
        u32(0); // file size, patched below
        u32(0);
        u32(0); // pixel offset, patched below
        size_t headerStart = b.size();
        u32(headerSize);
        if (headerSize == 12) {
            u16(uint32_t(width));
            u16(uint32_t(height));
            u16(planes);
            u16(bitCount);
        } else {
            u32(uint32_t(width));
            u32(uint32_t(height));
            u16(planes);
            u16(bitCount);
            u32(compression);
            u32(sizeImage);
            u32(2835);
            u32(2835);
            u32(colorsUsed);
            u32(0);
            for (int i = 0; b.size() < headerStart + headerSize; ++i) {
                if (i < 4)
                    u32(masks[i]);
                else
                    b.push_back(0);
            }
        }
        if (writeMasksAfterHeader)
            for (int i = 0; i < 3; ++i)
                u32(masks[i]);
        for (uint32_t i = 0; i < paletteEntries; ++i) {
            b.push_back(uint8_t(i));
            b.push_back(uint8_t(i));
            b.push_back(uint8_t(i));
            if (headerSize != 12)
                b.push_back(0);
        }
        int64_t offset = int64_t(b.size()) + pixelOffsetDelta;
        uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
        uint64_t rows = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
        int64_t count = pixelBytes >= 0 ? pixelBytes : int64_t(stride * rows);
        b.resize(b.size() + size_t(count), 0x5A);
        uint32_t off = uint32_t(offset);
        for (int i = 0; i < 4; ++i)
            b[10 + i] = uint8_t(off >> (8 * i));
        uint32_t total = uint32_t(b.size());
        for (int i = 0; i < 4; ++i)
            b[2 + i] = uint8_t(total >> (8 * i));
        return b;
    }
};

TBmpCheck Check(const std::vector<uint8_t>& bytes) {
    return CheckBmpFile(bytes.data(), bytes.size());
}

TEST(BmpHeaderValid, PlainTwentyFourBitBottomUp) {
    BmpBuilder b;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.Width, 4);
    EXPECT_EQ(r.Geometry.Height, 2);
    EXPECT_FALSE(r.Geometry.TopDown);
    EXPECT_EQ(r.Geometry.Stride, 12u);
    EXPECT_EQ(r.Geometry.PixelOffset, 54u);
    EXPECT_EQ(r.Geometry.PixelBytes, 24u);
    EXPECT_EQ(r.Geometry.PaletteEntries, 0u);
}

TEST(BmpHeaderValid, TopDownHeightIsReportedPositive) {
    BmpBuilder b;
    b.height = -3;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_TRUE(r.Geometry.TopDown);
    EXPECT_EQ(r.Geometry.Height, 3);
}

TEST(BmpHeaderValid, PalettedFormatsDefaultToTheFullPalette) {
    const struct {
        uint16_t bits;
        uint32_t stride;
    } cases[] = {{1, 4}, {4, 4}, {8, 8}};
    for (auto [bits, stride] : cases) {
        BmpBuilder b;
        b.bitCount = bits;
        b.width = 5;
        b.paletteEntries = 1u << bits;
        auto r = Check(b.Build());
        ASSERT_TRUE(r.Ok) << bits << ": " << r.Error;
        EXPECT_EQ(r.Geometry.PaletteEntries, 1u << bits);
        EXPECT_EQ(r.Geometry.PaletteEntrySize, 4u);
        EXPECT_EQ(r.Geometry.Stride, stride) << "rows pad to four bytes";
    }
}

TEST(BmpHeaderValid, ShortPaletteFromColorsUsed) {
    BmpBuilder b;
    b.bitCount = 8;
    b.colorsUsed = 3;
    b.paletteEntries = 3;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.PaletteEntries, 3u);
    EXPECT_EQ(r.Geometry.PixelOffset, 54u + 12u);
}

TEST(BmpHeaderValid, CoreHeaderWithThreeBytePalette) {
    BmpBuilder b;
    b.headerSize = 12;
    b.bitCount = 4;
    b.paletteEntries = 16;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.PaletteEntrySize, 3u);
    EXPECT_EQ(r.Geometry.PaletteOffset, 26u);
    EXPECT_EQ(r.Geometry.PixelOffset, 26u + 48u);
}

TEST(BmpHeaderValid, BitfieldsAfterAFortyByteHeaderAndInsideV5) {
    BmpBuilder b;
    b.bitCount = 16;
    b.compression = kBiBitfields;
    b.writeMasksAfterHeader = true;
    b.masks[0] = 0xF800;
    b.masks[1] = 0x07E0;
    b.masks[2] = 0x001F;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.RedMask, 0xF800u);
    EXPECT_EQ(r.Geometry.BlueMask, 0x001Fu);
    EXPECT_EQ(r.Geometry.PixelOffset, 66u);

    BmpBuilder v5;
    v5.headerSize = 124;
    v5.bitCount = 32;
    v5.compression = kBiBitfields;
    v5.masks[3] = 0xFF000000;
    auto r5 = Check(v5.Build());
    ASSERT_TRUE(r5.Ok) << r5.Error;
    EXPECT_EQ(r5.Geometry.AlphaMask, 0xFF000000u);
    EXPECT_EQ(r5.Geometry.GreenMask, 0x0000FF00u);
}

TEST(BmpHeaderValid, RleNeedsOnlySomeData) {
    BmpBuilder b;
    b.bitCount = 8;
    b.compression = kBiRle8;
    b.paletteEntries = 256;
    b.pixelBytes = 4;
    b.sizeImage = 4;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.PixelBytes, 4u);
    EXPECT_EQ(r.Geometry.RleBytes, 4u);
}

// The picture ends where its header says, not at the end of the data: what
// follows in a stream (another picture, say) is not part of it.
TEST(BmpHeaderValid, RleEndsAtTheHeadersImageSizeOrAtTheEndWithoutOne) {
    BmpBuilder b;
    b.bitCount = 8;
    b.compression = kBiRle8;
    b.paletteEntries = 256;
    b.pixelBytes = 40;
    b.sizeImage = 6;
    auto r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.PixelBytes, 40u);
    EXPECT_EQ(r.Geometry.RleBytes, 6u);
    b.sizeImage = 0;
    r = Check(b.Build());
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Geometry.RleBytes, 40u);
}

struct Broken {
    const char* name;
    void (*breakIt)(BmpBuilder&, std::vector<uint8_t>&);
    const char* expected; // start of the error text
};

void Rebuild(BmpBuilder& b, std::vector<uint8_t>& bytes) {
    bytes = b.Build();
}

const Broken kBroken[] = {
    {"empty", [](BmpBuilder&, std::vector<uint8_t>& v) { v.clear(); }, "bitmap header too short"},
    {"file header cut", [](BmpBuilder&, std::vector<uint8_t>& v) { v.resize(10); },
     "bitmap header too short"},
    {"info header cut", [](BmpBuilder&, std::vector<uint8_t>& v) { v.resize(30); },
     "bitmap header too short"},
    {"signature", [](BmpBuilder&, std::vector<uint8_t>& v) { v[1] = 'A'; }, "not a bitmap file"},
    {"header size",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.headerSize = 44;
         Rebuild(b, v);
     },
     "unsupported bitmap header size 44"},
    {"planes",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.planes = 2;
         Rebuild(b, v);
     },
     "bitmap planes must be 1"},
    {"bit count",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 7;
         Rebuild(b, v);
     },
     "unsupported bit count 7"},
    {"bit count 0",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 0;
         Rebuild(b, v);
     },
     "unsupported bit count 0"},
    {"core 32 bit",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.headerSize = 12;
         b.bitCount = 32;
         Rebuild(b, v);
     },
     "unsupported bit count 32 with a core header"},
    {"compression",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.compression = 4;
         Rebuild(b, v);
     },
     "unsupported compression 4"},
    {"rle8 with 24 bit",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.compression = kBiRle8;
         Rebuild(b, v);
     },
     "RLE8 compression needs 8 bits"},
    {"rle4 with 8 bit",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 8;
         b.paletteEntries = 256;
         b.compression = kBiRle4;
         Rebuild(b, v);
     },
     "RLE4 compression needs 4 bits"},
    {"bitfields with 24 bit",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.compression = kBiBitfields;
         b.writeMasksAfterHeader = true;
         Rebuild(b, v);
     },
     "bitfields need 16 or 32"},
    {"zero width",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.width = 0;
         Rebuild(b, v);
     },
     "bitmap width must be positive"},
    {"negative width",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.width = -4;
         b.pixelBytes = 16;
         Rebuild(b, v);
     },
     "bitmap width must be positive"},
    {"zero height",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.height = 0;
         Rebuild(b, v);
     },
     "bitmap height must not be 0"},
    {"rle top-down",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 8;
         b.paletteEntries = 256;
         b.compression = kBiRle8;
         b.height = -2;
         b.pixelBytes = 2;
         Rebuild(b, v);
     },
     "a top-down bitmap cannot be RLE compressed"},
    {"huge width",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.width = 20000;
         b.pixelBytes = 16;
         Rebuild(b, v);
     },
     "bitmap dimensions too large (20000 x 2)"},
    {"huge area",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.width = 16384;
         b.height = 16384;
         b.pixelBytes = 16;
         Rebuild(b, v);
     },
     "bitmap dimensions too large"},
    {"most negative height",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.height = INT32_MIN;
         b.pixelBytes = 16;
         Rebuild(b, v);
     },
     "bitmap dimensions too large"},
    {"palette too big",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 4;
         b.colorsUsed = 17;
         b.paletteEntries = 17;
         Rebuild(b, v);
     },
     "palette too big (17 colours for 4 bits"},
    {"palette missing",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 8;
         b.pixelBytes = 0;
         Rebuild(b, v);
     },
     "palette outside the file"},
    {"masks missing",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 16;
         b.compression = kBiBitfields;
         Rebuild(b, v);
         v.resize(56);
     },
     "bitmap colour masks outside the file"},
    {"masks zero",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 32;
         b.compression = kBiBitfields;
         b.writeMasksAfterHeader = true;
         b.masks[0] = b.masks[1] = b.masks[2] = 0;
         Rebuild(b, v);
     },
     "invalid bitfield colour masks"},
    {"masks overlap",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 32;
         b.compression = kBiBitfields;
         b.writeMasksAfterHeader = true;
         b.masks[1] = 0x00FFFF00;
         Rebuild(b, v);
     },
     "invalid bitfield colour masks"},
    {"16-bit mask too wide",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 16;
         b.compression = kBiBitfields;
         b.writeMasksAfterHeader = true;
         Rebuild(b, v);
     },
     "invalid bitfield colour masks"},
    {"offset outside",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.pixelOffsetDelta = 1000;
         Rebuild(b, v);
     },
     "pixel data offset outside the file"},
    {"offset inside headers",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.pixelOffsetDelta = -20;
         Rebuild(b, v);
     },
     "pixel data offset overlaps the headers"},
    {"pixels truncated",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         Rebuild(b, v);
         v.pop_back();
     },
     "pixel data too short (need 24 bytes, file holds 23)"},
    {"rle size claims more",
     [](BmpBuilder& b, std::vector<uint8_t>& v) {
         b.bitCount = 8;
         b.paletteEntries = 256;
         b.compression = kBiRle8;
         b.pixelBytes = 4;
         b.sizeImage = 400;
         Rebuild(b, v);
     },
     "RLE data too short"},
};

TEST(BmpHeaderBroken, EachDamageHasItsOwnMessage) {
    for (const Broken& c : kBroken) {
        BmpBuilder b;
        std::vector<uint8_t> bytes = b.Build();
        c.breakIt(b, bytes);
        auto r = Check(bytes);
        EXPECT_FALSE(r.Ok) << c.name;
        EXPECT_EQ(r.Error.rfind(c.expected, 0), 0u) << c.name << ": got \"" << r.Error << '"';
    }
}

// The numbers of a text, in order: the German wording must name the same ones.
std::vector<std::string> NumbersIn(const std::string& text) {
    std::vector<std::string> numbers;
    std::string current;
    for (char c : text + ' ') {
        if (c >= '0' && c <= '9') {
            current += c;
        } else if (!current.empty()) {
            numbers.push_back(current);
            current.clear();
        }
    }
    return numbers;
}

TEST(BmpHeaderBroken, EachDamageHasAGermanTextWithTheSameNumbers) {
    std::set<std::string> seen;
    for (const Broken& c : kBroken) {
        BmpBuilder b;
        std::vector<uint8_t> bytes = b.Build();
        c.breakIt(b, bytes);
        auto r = Check(bytes);
        const std::string german = GermanError(r);
        EXPECT_FALSE(german.empty()) << c.name;
        EXPECT_NE(german, r.Error) << c.name << " has no German wording";
        EXPECT_EQ(NumbersIn(german), NumbersIn(r.Error)) << c.name << ": " << german;
        seen.insert(german);
    }
    // A fault of its own reads differently from every other.
    EXPECT_GE(seen.size(), 20u);
    EXPECT_EQ(GermanError(Check(BmpBuilder().Build())), "");

    BmpBuilder b;
    std::vector<uint8_t> bytes = b.Build();
    bytes[0] = 'P';
    EXPECT_EQ(GermanError(Check(bytes)), "keine Bitmap-Datei (die Kennung \"BM\" fehlt)");
    bytes = b.Build();
    bytes.pop_back();
    EXPECT_EQ(GermanError(Check(bytes)),
              "Pixeldaten zu kurz (24 Bytes n\xF6tig, die Datei enth\xE4lt 23)");
}

TEST(BmpHeaderBroken, EveryTruncationOfAValidFileIsRejectedWithoutOverread) {
    BmpBuilder b;
    b.bitCount = 8;
    b.paletteEntries = 256;
    const std::vector<uint8_t> full = b.Build();
    for (size_t n = 0; n < full.size(); ++n) {
        // A copy of exactly n bytes, so the sanitizers catch any read past it.
        std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<long>(n));
        auto r = CheckBmpFile(n ? cut.data() : nullptr, n);
        EXPECT_FALSE(r.Ok) << n;
        EXPECT_FALSE(r.Error.empty()) << n;
    }
    EXPECT_TRUE(Check(full).Ok);
}

} // namespace
