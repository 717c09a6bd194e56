#include <gtest/gtest.h>

#include <cstdlib>

#include "Pictures.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Jpeg.h"
#include "framework/runtime/Exceptions.h"

namespace {

using pictures::DataFile;
using pictures::PixelAt;
using pictures::Pixels24;
using pictures::ReadBytes;
using pictures::Reference;
using pictures::Rgb;

int MaxDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    int worst = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        worst = std::max({worst, std::abs(a[i].r - b[i].r), std::abs(a[i].g - b[i].g),
                          std::abs(a[i].b - b[i].b)});
    return worst;
}

TEST(Jpeg, DecodesBaselineGreyAndProgressivePictures) {
    for (const char* file : {"corners.jpg", "gray.jpg", "progressive.jpg"}) {
        TJPEGImage jpeg;
        jpeg.LoadFromFile(DataFile(file));
        EXPECT_EQ(jpeg.Width(), 16) << file;
        EXPECT_EQ(jpeg.Height(), 8) << file;
        EXPECT_EQ(jpeg.Bitmap().PixelFormat(), pf24bit);
        std::vector<Rgb> pixels = Pixels24(jpeg.Bitmap());
        std::vector<Rgb> reference = Reference(file);
        ASSERT_EQ(pixels.size(), reference.size());
        // Decoders differ in rounding only.
        EXPECT_LE(MaxDifference(pixels, reference), 6) << file;
    }
}

TEST(Jpeg, ColourOrderIsRedGreenBlue) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(DataFile("corners.jpg"));
    Rgb topLeft = PixelAt(jpeg.Bitmap(), 0, 0);
    EXPECT_GT(topLeft.r, 150);
    EXPECT_LT(topLeft.b, 100);
    Rgb bottomLeft = PixelAt(jpeg.Bitmap(), 0, 7);
    EXPECT_GT(bottomLeft.b, 150);
    EXPECT_LT(bottomLeft.r, 100);
}

TEST(Jpeg, DrawsOntoACanvasAndAssignsIntoABitmap) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(DataFile("corners.jpg"));
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(20, 10);
    target.Canvas().Draw(2, 1, jpeg);
    EXPECT_EQ(PixelAt(target, 2, 1), PixelAt(jpeg.Bitmap(), 0, 0));
    EXPECT_EQ(PixelAt(target, 17, 8), PixelAt(jpeg.Bitmap(), 15, 7));
    EXPECT_EQ(PixelAt(target, 0, 0), (Rgb{255, 255, 255}));

    TBitmap copy;
    copy.Assign(&jpeg);
    EXPECT_EQ(copy.Width(), 16);
    EXPECT_EQ(Pixels24(copy), Pixels24(jpeg.Bitmap()));
}

TEST(Jpeg, SavingWritesTheLoadedBytesBack) {
    std::vector<uint8_t> file = ReadBytes(DataFile("corners.jpg"));
    TJPEGImage jpeg;
    jpeg.LoadFromFile(DataFile("corners.jpg"));
    TMemoryStream out;
    jpeg.SaveToStream(out);
    ASSERT_EQ(out.Size(), static_cast<int64_t>(file.size()));
    EXPECT_TRUE(std::equal(file.begin(), file.end(), out.Memory()));
}

TEST(Jpeg, DamagedDataIsAnErrorAndKeepsThePicture) {
    std::vector<uint8_t> file = ReadBytes(DataFile("corners.jpg"));
    TJPEGImage jpeg;
    jpeg.LoadFromFile(DataFile("corners.jpg"));
    int changes = 0;
    jpeg.OnChange = [&](TObject*) { ++changes; };

    std::vector<std::vector<uint8_t>> damaged;
    damaged.emplace_back(file.begin(), file.begin() + 20);                  // header cut
    damaged.emplace_back(file.begin(), file.begin() + file.size() * 2 / 3); // scan cut
    damaged.push_back({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
    damaged.push_back({});
    for (const auto& bytes : damaged) {
        TMemoryStream stream;
        pictures::Fill(stream, bytes);
        try {
            jpeg.LoadFromStream(stream);
            ADD_FAILURE() << "no exception for " << bytes.size() << " bytes";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message().rfind("JPEG-Bild ist nicht g\xFCltig: ", 0), 0u) << e.Message();
            EXPECT_GT(e.Message().size(), 30u) << "names the problem: " << e.Message();
        }
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(jpeg.Width(), 16);
}

// The message a load of the given bytes raises.
std::string LoadError(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    pictures::Fill(stream, bytes);
    TJPEGImage jpeg;
    try {
        jpeg.LoadFromStream(stream);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "(no exception)";
}

TEST(Jpeg, DamageIsNamedInTheRuntimesLanguage) {
    const std::string invalid = "JPEG-Bild ist nicht g\xFCltig";
    std::vector<uint8_t> file = ReadBytes(DataFile("corners.jpg"));
    EXPECT_EQ(LoadError({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}),
              invalid + ": keine JPEG-Datei (beginnt mit 0x6e 0x6f)");
    EXPECT_EQ(LoadError({}), invalid + ": keine Daten");
    EXPECT_EQ(LoadError({file.begin(), file.begin() + 20}),
              invalid + ": vorzeitiges Ende der JPEG-Datei");
    EXPECT_EQ(LoadError({file.begin(), file.begin() + file.size() * 2 / 3}),
              invalid + ": vorzeitiges Ende der JPEG-Datei");

    // A Huffman table whose code counts add up to far more than 256 codes.
    std::vector<uint8_t> huffman = {0xFF, 0xD8, 0xFF, 0xC4, 0x00, 0x13, 0x00};
    huffman.insert(huffman.end(), 16, 0xFF);
    EXPECT_EQ(LoadError(huffman), invalid + ": ung\xFCltige Huffman-Tabelle");

    // A rarer fault keeps the main text alone rather than libjpeg's English:
    // a quantisation table numbered 5 (only 0 to 3 exist).
    std::vector<uint8_t> table = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x05};
    table.insert(table.end(), 64, 1);
    EXPECT_EQ(LoadError(table), invalid);
}

TEST(Jpeg, HugeDimensionsAreRefusedBeforeDecoding) {
    std::vector<uint8_t> file = ReadBytes(DataFile("corners.jpg"));
    // Patch the frame header (SOF0/SOF2) to claim 60000 x 60000 pixels.
    bool patched = false;
    for (size_t i = 2; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
            file[i + 5] = 0xEA;
            file[i + 6] = 0x60;
            file[i + 7] = 0xEA;
            file[i + 8] = 0x60;
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    TMemoryStream stream;
    pictures::Fill(stream, file);
    TJPEGImage jpeg;
    try {
        jpeg.LoadFromStream(stream);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "JPEG-Bild ist nicht g\xFCltig: Bild zu gro\xDF (60000 x 60000)");
    }
    EXPECT_TRUE(jpeg.Empty());
}

TEST(Jpeg, SizeComesFromTheData) {
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.SetWidth(4), EInvalidGraphicOperation);
    EXPECT_THROW(jpeg.SetSize(4, 4), EInvalidGraphicOperation);
    jpeg.LoadFromFile(DataFile("gray.jpg"));
    TJPEGImage copy;
    copy.Assign(&jpeg);
    EXPECT_EQ(copy.Width(), 16);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

} // namespace
