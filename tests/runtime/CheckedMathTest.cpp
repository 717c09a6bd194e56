#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "framework/runtime/CheckedMath.h"

TEST(CheckedMath, AdditionRaisesOverflowAtEachTypesEdge) {
    EXPECT_EQ(CheckedAdd<uint8_t>(250, 5), 255);
    EXPECT_THROW(CheckedAdd<uint8_t>(250, 6), EIntOverflow);
    EXPECT_EQ(CheckedAdd<int8_t>(-100, -28), -128);
    EXPECT_THROW(CheckedAdd<int8_t>(127, 1), EIntOverflow);
    EXPECT_THROW(CheckedAdd<uint16_t>(65535, 1), EIntOverflow);
    EXPECT_THROW(CheckedAdd<int16_t>(-32768, -1), EIntOverflow);
    EXPECT_EQ(CheckedAdd<int32_t>(0x7FFFFFFE, 1), 0x7FFFFFFF);
    EXPECT_THROW(CheckedAdd<int32_t>(0x7FFFFFFF, 1), EIntOverflow);
    EXPECT_THROW(CheckedAdd<uint32_t>(0xFFFFFFFFu, 1), EIntOverflow);
}

TEST(CheckedMath, SubtractionBelowZeroOverflowsForUnsignedTypes) {
    EXPECT_EQ(CheckedSub<uint32_t>(2, 2), 0u);
    EXPECT_THROW(CheckedSub<uint32_t>(0, 2), EIntOverflow);
    EXPECT_THROW(CheckedSub<uint8_t>(0, 1), EIntOverflow);
    EXPECT_EQ(CheckedSub<int32_t>(0, 1), -1);
    EXPECT_THROW(CheckedSub<int32_t>(0, std::numeric_limits<int32_t>::min()), EIntOverflow);
    EXPECT_THROW(CheckedSub<int16_t>(-32767, 2), EIntOverflow);
}

TEST(CheckedMath, MultiplicationOverflows) {
    EXPECT_EQ(CheckedMul<uint32_t>(4, 0x3FFFFFFF), 0xFFFFFFFCu);
    EXPECT_THROW(CheckedMul<uint32_t>(4, 0x40000000), EIntOverflow);
    EXPECT_THROW(CheckedMul<int32_t>(-2, 0x40000001), EIntOverflow);
    EXPECT_EQ(CheckedMul<int8_t>(-16, 8), -128);
    EXPECT_THROW(CheckedMul<int8_t>(16, 8), EIntOverflow);
    EXPECT_THROW(CheckedMul<uint16_t>(256, 256), EIntOverflow);
}

TEST(CheckedMath, NarrowingRaisesRangeError) {
    EXPECT_EQ(Narrow<uint8_t>(255), 255);
    EXPECT_THROW(Narrow<uint8_t>(256), ERangeError);
    EXPECT_THROW(Narrow<uint8_t>(-1), ERangeError);
    EXPECT_EQ(Narrow<int32_t>(uint32_t{0x7FFFFFFF}), 0x7FFFFFFF);
    EXPECT_THROW(Narrow<int32_t>(uint32_t{0x80000000}), ERangeError);
    EXPECT_THROW(Narrow<uint32_t>(int64_t{1} << 32), ERangeError);
    EXPECT_THROW(Narrow<uint32_t>(int32_t{-1}), ERangeError);
}

TEST(CheckedMath, DeclaredRangeRaisesRangeError) {
    EXPECT_EQ(CheckRange(5, 0, 5), 5);
    EXPECT_THROW(CheckRange(6, 0, 5), ERangeError);
    EXPECT_THROW(CheckRange(-1, 0, 5), ERangeError);
}

TEST(CheckedMath, ErrorsCarryTheRuntimesMessages) {
    try {
        CheckedAdd<int32_t>(0x7FFFFFFF, 1);
        FAIL();
    } catch (const EIntOverflow& error) {
        EXPECT_EQ(error.Message(), "Integer\xFC"
                                   "berlauf");
    }
    try {
        Narrow<uint8_t>(300);
        FAIL();
    } catch (const ERangeError& error) {
        EXPECT_EQ(error.Message(), "Fehler bei Bereichspr\xFC"
                                   "fung");
    }
}
