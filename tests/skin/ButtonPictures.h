// The four state pictures the button tests give their buttons, each of its
// own colour so the face on screen tells which one is shown. The mask has a
// cut-out strip on the left (white).
#pragma once

#include <memory>

#include "TestPictures.h"

struct ButtonPictures {
    static constexpr int width = 50;
    static constexpr int height = 24;
    static constexpr int cutOutWidth = 10; // columns 0..9 of the mask are cut out
    static constexpr std::uint32_t normal = 0x00C000;
    static constexpr std::uint32_t pressed = 0x0000D0;
    static constexpr std::uint32_t over = 0xD00000;
    static constexpr std::uint32_t disabled = 0x00D0D0;

    std::unique_ptr<TBitmap> Mask = MakeBitmap(MaskPixels());
    std::unique_ptr<TBitmap> Pressed = MakeBitmap(TestMask(width, height, pressed));
    std::unique_ptr<TBitmap> Over = MakeBitmap(TestMask(width, height, over));
    std::unique_ptr<TBitmap> Disabled = MakeBitmap(TestMask(width, height, disabled));

    static TestMask MaskPixels() {
        TestMask mask(width, height, normal);
        mask.FillRect(0, 0, cutOutWidth, height, 0xFFFFFF);
        return mask;
    }
};
