// The committed launcher/resources/Launcher.ico, which windres puts into the
// executable: a consistent directory whose images decode to the sizes the
// directory gives, with anti-aliased edges and a mask that agrees with them.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "IcoImages.h"
#include "ResourceHandles.h"
#include "tests/launcher/TestContainer.h"

namespace {

const std::string kIconFile = std::string(OVALYN_SOURCE_DIR) + "/launcher/resources/Launcher.ico";

std::vector<TIcoImage> ReadLauncherIcon() {
    const std::string bytes = ReadFileBytes(kIconFile);
    EXPECT_FALSE(bytes.empty()) << kIconFile << " cannot be read";
    std::vector<TIcoImage> images;
    std::string error;
    EXPECT_TRUE(ReadIcoDirectory(bytes, images, error)) << kIconFile << ": " << error;
    return images;
}

} // namespace

TEST(LauncherIconFile, HoldsSixteenToTwoHundredFiftySixPixelsIn32Bits) {
    std::vector<int> sizes;
    for (const TIcoImage& image : ReadLauncherIcon()) {
        sizes.push_back(image.Width);
        EXPECT_EQ(image.Height, image.Width) << "image " << sizes.size() - 1 << " is not square";
        EXPECT_EQ(image.BitCount, 32) << image.Width << "-pixel image";
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

// Small images are BMPs with a mask; only the 256-pixel one is a PNG (older
// Windows versions read no PNG at the sizes they draw).
TEST(LauncherIconFile, EachImageDecodesToTheSizeTheDirectoryGives) {
    for (const TIcoImage& image : ReadLauncherIcon()) {
        TDecodedIcon decoded;
        std::string error;
        ASSERT_TRUE(DecodeIcoImage(image, decoded, error))
            << image.Width << "-pixel image: " << error;
        EXPECT_EQ(decoded.Width, image.Width);
        EXPECT_EQ(decoded.Height, image.Height);
        EXPECT_EQ(decoded.Png, image.Width == 256) << image.Width << "-pixel image's format";
    }
}

TEST(LauncherIconFile, EdgesAreAntiAliasedAndTheMaskFollowsTheAlpha) {
    for (const TIcoImage& image : ReadLauncherIcon()) {
        TDecodedIcon decoded;
        std::string error;
        ASSERT_TRUE(DecodeIcoImage(image, decoded, error)) << error;
        int clear = 0, solid = 0, partial = 0, maskMismatches = 0;
        for (std::size_t i = 0; i < decoded.Rgba.size() / 4; ++i) {
            const uint8_t alpha = decoded.Rgba[i * 4 + 3];
            (alpha == 0 ? clear : alpha == 255 ? solid : partial)++;
            if (!decoded.MaskedOut.empty() && decoded.MaskedOut[i] != (alpha < 128))
                ++maskMismatches;
        }
        EXPECT_GT(clear, 0) << image.Width << "-pixel image has no transparent corner";
        EXPECT_GT(solid, clear) << image.Width << "-pixel image: the disc should fill most of it";
        EXPECT_GE(partial, image.Width)
            << image.Width << "-pixel image: edges are not anti-aliased";
        EXPECT_EQ(maskMismatches, 0)
            << image.Width << "-pixel image's mask disagrees with its alpha";
    }
}

// Windows itself makes an icon of each image.
TEST(LauncherIconFile, Win32BuildsAnIconOfEachImage) {
    for (TIcoImage& image : ReadLauncherIcon()) {
        IconHandle icon(CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.Data.data()),
                                                 static_cast<DWORD>(image.Data.size()), TRUE,
                                                 0x00030000, image.Width, image.Height, 0));
        ASSERT_TRUE(icon) << image.Width << "-pixel image refused by CreateIconFromResourceEx";
        const SIZE size = IconSize(icon.get());
        EXPECT_EQ(size.cx, image.Width);
        EXPECT_EQ(size.cy, image.Height);
    }
}
