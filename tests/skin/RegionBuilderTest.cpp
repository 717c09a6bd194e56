#include <gtest/gtest.h>

#include <windows.h>

#include "ReferenceRegion.h"
#include "RegionFaults.h"
#include "TestMasks.h"
#include "skin/OvalynShapeControl.h"
#include "skin/RegionBuilder.h"

namespace {

constexpr std::uint32_t white = 0xFFFFFF;
constexpr std::uint32_t black = 0x000000;

// Every pixel lies inside the region exactly when its colour differs from the
// invisible one; reports the first pixel that breaks the rule.
::testing::AssertionResult CoversVisiblePixels(HRGN region, const TestMask& mask,
                                               std::uint32_t invisible) {
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x) {
            const bool visible = mask.Get(x, y) != invisible;
            if (visible != (PtInRegion(region, x, y) != FALSE))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is "
                       << (visible ? "visible but outside" : "invisible but inside");
        }
    RECT box;
    GetRgnBox(region, &box);
    if (GetRgnBox(region, &box) != NULLREGION &&
        (box.left < 0 || box.top < 0 || box.right > mask.Width() || box.bottom > mask.Height()))
        return ::testing::AssertionFailure() << "region reaches outside the picture";
    return ::testing::AssertionSuccess();
}

void ExpectBothMethodsAgree(const TestMask& mask, std::uint32_t invisible) {
    SkinRegion fast = BuildVisibleRegion(mask.Rows(), invisible);
    SkinRegion reference = BuildRegionBySubtraction(mask.Rows(), invisible);
    ASSERT_TRUE(fast);
    EXPECT_TRUE(EqualRgn(fast.get(), reference.get())) << mask.Width() << " x " << mask.Height();
    if (mask.Width() * mask.Height() <= 300 * 300) {
        EXPECT_TRUE(CoversVisiblePixels(fast.get(), mask, invisible));
    }
}

int RegionKind(HRGN region, RECT& box) {
    return GetRgnBox(region, &box);
}

// Stands in for the table's ExtCreateRegion while it lives: counts the calls
// and the rectangles handed over, and makes the n-th call fail (0: none).
class ExtCreateRegionProbe {
public:
    explicit ExtCreateRegionProbe(int failingCall = 0) {
        state = {0, 0, failingCall};
        RegionCalls().ExtCreateRegion = &Probe;
    }
    ~ExtCreateRegionProbe() { RegionCalls().ExtCreateRegion = SystemRegionCalls().ExtCreateRegion; }
    ExtCreateRegionProbe(const ExtCreateRegionProbe&) = delete;
    ExtCreateRegionProbe& operator=(const ExtCreateRegionProbe&) = delete;

    int Calls() const { return state.calls; }
    int Rects() const { return state.rects; }

private:
    struct State {
        int calls;
        int rects;
        int failingCall;
    };
    static inline State state{};

    static HRGN WINAPI Probe(const XFORM* transform, DWORD size, const RGNDATA* data) {
        ++state.calls;
        state.rects += static_cast<int>(data->rdh.nCount);
        if (state.calls == state.failingCall)
            return nullptr;
        return SystemRegionCalls().ExtCreateRegion(transform, size, data);
    }
};

void ExpectCombineMessage(const TestMask& mask) {
    try {
        BuildVisibleRegion(mask.Rows(), white);
        ADD_FAILURE() << "no exception";
    } catch (const OvalynShapeException& error) {
        EXPECT_EQ(error.Message(), "TOvalynSkin.calculateRegion: CombineRgn failed.");
    }
}

} // namespace

TEST(RegionBuilder, PictureWithoutInvisiblePixelsGivesTheFullRectangle) {
    TestMask mask(7, 5, 0x123456);
    SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
    RECT box;
    EXPECT_EQ(RegionKind(region.get(), box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 5);
}

TEST(RegionBuilder, PictureOfOnlyTheInvisibleColourGivesAnEmptyRegion) {
    TestMask mask(9, 4, white);
    SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
    RECT box;
    EXPECT_EQ(RegionKind(region.get(), box), NULLREGION);
    ExpectBothMethodsAgree(mask, white);
}

TEST(RegionBuilder, PictureWithoutRowsGivesAnEmptyRegion) {
    TestMask mask(10, 0, white);
    SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
    RECT box;
    EXPECT_EQ(RegionKind(region.get(), box), NULLREGION);
}

TEST(RegionBuilder, RunsReachingEitherEdgeAreCutUpToTheEdge) {
    TestMask mask(6, 3, black);
    mask.FillRect(3, 0, 6, 1, white); // reaches the right edge
    mask.FillRect(0, 1, 2, 2, white); // starts at the left edge
    mask.FillRect(0, 2, 6, 3, white); // the whole row
    SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
    EXPECT_TRUE(CoversVisiblePixels(region.get(), mask, white));
    ExpectBothMethodsAgree(mask, white);
}

TEST(RegionBuilder, SingleInvisiblePixelsRemoveExactlyThemselves) {
    const int size = 5;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            TestMask mask(size, size, black);
            mask.Set(x, y, white);
            SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
            SkinRegion expected(CreateRectRgn(0, 0, size, size));
            SkinRegion pixel(CreateRectRgn(x, y, x + 1, y + 1));
            CombineRgn(expected.get(), expected.get(), pixel.get(), RGN_DIFF);
            EXPECT_TRUE(EqualRgn(region.get(), expected.get())) << x << ", " << y;
        }
}

TEST(RegionBuilder, SingleVisiblePixelsAreTheWholeRegion) {
    for (auto [x, y] : {std::pair{0, 0}, {4, 0}, {0, 3}, {4, 3}, {2, 1}}) {
        TestMask mask(5, 4, white);
        mask.Set(x, y, 0xFEFFFF);
        SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
        RECT box;
        ASSERT_EQ(RegionKind(region.get(), box), SIMPLEREGION);
        EXPECT_EQ(box.left, x);
        EXPECT_EQ(box.top, y);
        EXPECT_EQ(box.right, x + 1);
        EXPECT_EQ(box.bottom, y + 1);
    }
}

TEST(RegionBuilder, OneVisiblePixelBetweenTwoRunsStaysInside) {
    TestMask mask(7, 1, white);
    mask.Set(3, 0, black);
    SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
    EXPECT_TRUE(CoversVisiblePixels(region.get(), mask, white));
    RECT box;
    EXPECT_EQ(RegionKind(region.get(), box), SIMPLEREGION);
}

TEST(RegionBuilder, ColoursDifferingInOneBitOfOneChannelStayInside) {
    const std::uint32_t invisible = 0x80C040;
    TestMask mask(6, 1, invisible);
    mask.Set(0, 0, invisible ^ 0x000001); // red
    mask.Set(2, 0, invisible ^ 0x000100); // green
    mask.Set(4, 0, invisible ^ 0x800000); // blue, top bit
    SkinRegion region = BuildVisibleRegion(mask.Rows(), invisible);
    EXPECT_TRUE(CoversVisiblePixels(region.get(), mask, invisible));
}

TEST(RegionBuilder, ChannelsAreComparedInTheirOwnPlaces) {
    // Red 0x11, green 0x22, blue 0x33 is the value 0x332211; its byte-swapped
    // twin 0x112233 must not match it.
    TestMask mask(2, 1, 0x332211);
    mask.Set(1, 0, 0x112233);
    SkinRegion region = BuildVisibleRegion(mask.Rows(), 0x332211);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 1, 0));
}

TEST(RegionBuilder, ColourValueAboveTwentyFourBitsMatchesNoPixel) {
    TestMask mask(4, 3, 0xFFFFFF);
    SkinRegion region = BuildVisibleRegion(mask.Rows(), 0x01FFFFFF);
    RECT box;
    EXPECT_EQ(RegionKind(region.get(), box), SIMPLEREGION);
    EXPECT_EQ(box.right, 4);
    EXPECT_EQ(box.bottom, 3);
}

TEST(RegionBuilder, AgreesWithTheSubtractionMethodOnManyMasks) {
    for (int width : {1, 2, 3, 5, 17, 64, 101})
        for (int percent : {0, 3, 50, 97, 100}) {
            SCOPED_TRACE(::testing::Message() << "width " << width << ", ink " << percent);
            ExpectBothMethodsAgree(NoiseMask(width, 23, percent, white, 0x402010, width), white);
        }
    ExpectBothMethodsAgree(EllipseWithHoles(160, 100, 0x0000FF, white), white);
    ExpectBothMethodsAgree(EllipseWithHoles(161, 99, white, 0x00FF00), 0x00FF00);
    ExpectBothMethodsAgree(TextMask(200, 60, "Ovalyn gW & 0123", 17), white);
    ExpectBothMethodsAgree(TextMask(200, 60, "Ovalyn gW & 0123", 17), black);
}

TEST(RegionBuilder, AgreesOnLargeNoise) {
    ExpectBothMethodsAgree(NoiseMask(256, 256, 50, white, black, 7), white);
}

TEST(RegionBuilder, IdenticalRowsShareOneBand) {
    // 50 rows with the same three visible runs: three rectangles, not 150,
    // whether the rows repeat byte for byte or only in their runs.
    for (bool sameColours : {true, false}) {
        SCOPED_TRACE(sameColours ? "same colours" : "colours change from row to row");
        TestMask mask(30, 50, white);
        for (int y = 0; y < 50; ++y) {
            const std::uint32_t ink = sameColours ? black : static_cast<std::uint32_t>(y);
            mask.FillRect(1, y, 4, y + 1, ink);
            mask.FillRect(10, y, 12, y + 1, ink);
            mask.FillRect(20, y, 30, y + 1, ink);
        }
        ExtCreateRegionProbe probe;
        SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
        EXPECT_EQ(probe.Rects(), 3);
        EXPECT_TRUE(CoversVisiblePixels(region.get(), mask, white));
    }
}

TEST(RegionBuilder, ManyRectanglesNeedFewRegionHandles) {
    // Rows of single pixels: every rectangle its own, yet they are handed to
    // the system in groups, not one region per rectangle.
    TestMask mask(64, 16, white);
    for (int y = 0; y < 16; ++y)
        for (int x = y % 2; x < 64; x += 2)
            mask.Set(x, y, black);
    RegionFaults counter;
    ExtCreateRegionProbe probe;
    SkinRegion region = BuildVisibleRegion(mask.Rows(), white);
    EXPECT_EQ(probe.Rects(), 32 * 16);
    EXPECT_LT(probe.Calls(), 32 * 16 / 4);
    EXPECT_EQ(counter.Calls(RegionCall::CombineRgn), probe.Calls() - 1);
    EXPECT_EQ(counter.Calls(RegionCall::DeleteObject), probe.Calls() - 1);
    ExpectBothMethodsAgree(mask, white);
}

TEST(RegionBuilder, FailedUnionRaisesTheCombineMessage) {
    TestMask mask = NoiseMask(64, 64, 50, white, black, 3);
    for (int failing : {1, 5, 40}) {
        RegionFaults faults(RegionCall::CombineRgn, failing);
        try {
            BuildVisibleRegion(mask.Rows(), white);
            FAIL() << "no exception for CombineRgn call " << failing;
        } catch (const OvalynShapeException& error) {
            EXPECT_EQ(error.Message(), "TOvalynSkin.calculateRegion: CombineRgn failed.");
        }
        EXPECT_TRUE(faults.Fired());
    }
}

TEST(RegionBuilder, FailedReleaseRaisesTheDeleteMessage) {
    TestMask mask = NoiseMask(20, 20, 50, white, black, 3);
    RegionFaults faults(RegionCall::DeleteObject, 2);
    try {
        BuildVisibleRegion(mask.Rows(), white);
        FAIL() << "no exception";
    } catch (const OvalynShapeException& error) {
        EXPECT_EQ(error.Message(), "TOvalynSkin.calculateRegion: DeleteObject failed.");
    }
}

TEST(RegionBuilder, RegionThatCannotBeCreatedRaisesTheCombineMessage) {
    const TestMask noise = NoiseMask(64, 64, 50, white, black, 3);
    for (int failing : {1, 9}) {
        SCOPED_TRACE(::testing::Message() << "failing ExtCreateRegion call " << failing);
        ExtCreateRegionProbe probe(failing);
        ExpectCombineMessage(noise);
        EXPECT_EQ(probe.Calls(), failing);
    }
    // The empty region of a wholly invisible picture is made differently.
    RegionFaults faults(RegionCall::CreateRectRgn, 1);
    ExpectCombineMessage(TestMask(5, 5, white));
    EXPECT_TRUE(faults.Fired());
}
