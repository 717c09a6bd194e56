// The starter menu of "ctrpack new": it must read without a single problem,
// pass every launcher check, and give the button and the check box the shape
// drawn in their transparency.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "authoring/MenuCheck.h"
#include "authoring/MenuSource.h"
#include "authoring/StarterMenu.h"
#include "framework/portable/BmpHeader.h"
#include "tests/runtime/TempFolder.h"

namespace {

struct Pixel {
    uint8_t r, g, b;
    bool IsFuchsia() const { return r == 255 && g == 0 && b == 255; }
};

// A pixel of a 24-bit BMP file, x and y from the top left.
Pixel PixelAt(const std::vector<uint8_t>& bmp, int x, int y) {
    const TBmpCheck check = CheckBmpFile(bmp.data(), bmp.size());
    EXPECT_TRUE(check.Ok) << check.Error;
    EXPECT_EQ(check.Geometry.BitCount, 24);
    const TBmpGeometry& g = check.Geometry;
    const int row = g.TopDown ? y : g.Height - 1 - y;
    const uint8_t* p =
        bmp.data() + g.PixelOffset + static_cast<std::size_t>(row) * g.Stride + x * 3;
    return {p[2], p[1], p[0]};
}

class StarterMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const StarterFile& file : StarterMenuFiles())
            folder.Write(file.name, file.bytes);
        loaded = LoadMenuIniFolder(folder.Path(), problems);
    }

    TempFolder folder;
    std::vector<Problem> problems;
    LoadedMenu loaded;
};

TEST_F(StarterMenuTest, ReadsWithoutProblemsAndPassesTheLaunchersChecks) {
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    const std::vector<Problem> checks = CheckMenu(loaded.menu, loaded.origins);
    EXPECT_TRUE(checks.empty()) << ::testing::PrintToString(FormatAll(checks));
    EXPECT_EQ(loaded.menu.EntryCount(), 8);
}

TEST_F(StarterMenuTest, ShapesComeFromTransparencyWithFuchsiaCorners) {
    ASSERT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    for (PictureRole role : {PictureRole::ButtonShape, PictureRole::CheckBoxShape}) {
        const std::vector<uint8_t>& bmp = loaded.menu.Picture(role).bytes;
        const TBmpCheck check = CheckBmpFile(bmp.data(), bmp.size());
        ASSERT_TRUE(check.Ok) << check.Error;
        const int w = check.Geometry.Width, h = check.Geometry.Height;
        SCOPED_TRACE(PictureLabel(role));
        // Rounded corners are cut away; the middle and the middle of each
        // edge are part of the control.
        EXPECT_TRUE(PixelAt(bmp, 0, 0).IsFuchsia());
        EXPECT_TRUE(PixelAt(bmp, w - 1, h - 1).IsFuchsia());
        EXPECT_FALSE(PixelAt(bmp, w / 2, h / 2).IsFuchsia());
        EXPECT_FALSE(PixelAt(bmp, w / 2, 0).IsFuchsia());
        EXPECT_FALSE(PixelAt(bmp, 0, h / 2).IsFuchsia());
    }
}

TEST_F(StarterMenuTest, ShownControlsLieInsideTheBackground) {
    ASSERT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    auto size = [&](PictureRole role) {
        const std::vector<uint8_t>& bmp = loaded.menu.Picture(role).bytes;
        return CheckBmpFile(bmp.data(), bmp.size()).Geometry;
    };
    const TBmpGeometry background = size(PictureRole::Background);
    const TBmpGeometry button = size(PictureRole::ButtonShape);
    const TBmpGeometry box = size(PictureRole::CheckBoxShape);
    auto number = [&](SettingId id) { return std::stoi(loaded.menu.Text(id)); };
    for (int group : {1, 2, 3, 4}) {
        SCOPED_TRACE("button group " + std::to_string(group));
        if (loaded.menu.Text(ButtonSetting(group, 0)) == "0")
            continue;
        EXPECT_LE(number(ButtonSetting(group, 1)) + button.Width, background.Width);
        EXPECT_LE(number(ButtonSetting(group, 2)) + button.Height, background.Height);
    }
    EXPECT_LE(number(SettingId::CheckBoxLeft) + box.Width, background.Width);
    EXPECT_LE(number(SettingId::CheckBoxTop) + box.Height, background.Height);
    EXPECT_LE(number(SettingId::OptionsLeft) + number(SettingId::OptionsWidth), background.Width);
}

} // namespace
