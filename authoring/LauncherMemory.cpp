#include "authoring/LauncherMemory.h"

#include <algorithm>

uint64_t BitmapBytes(int32_t width, int32_t height, uint16_t bitCount) {
    if (width <= 0 || height <= 0)
        return 0;
    const uint64_t rowBytes = (uint64_t(width) * bitCount + 31) / 32 * 4;
    return rowBytes * uint64_t(height);
}

namespace {

using Pictures = std::array<std::optional<PictureFootprint>, kPictureCount>;

uint64_t Bitmap(const Pictures& pictures, PictureRole role) {
    const auto& picture = pictures[static_cast<int>(role)];
    return picture ? BitmapBytes(picture->width, picture->height, picture->bitCount) : 0;
}

uint64_t Region(const Pictures& pictures, PictureRole role) {
    const auto& picture = pictures[static_cast<int>(role)];
    return picture ? BitmapBytes(picture->width, picture->height, 24) : 0;
}

uint64_t Entry(const Pictures& pictures, PictureRole role) {
    const auto& picture = pictures[static_cast<int>(role)];
    return picture ? picture->entryBytes : 0;
}

} // namespace

uint64_t LauncherPictureBytes(const Pictures& pictures, int shownButtons) {
    using R = PictureRole;
    const uint64_t background = Bitmap(pictures, R::Background);
    const uint64_t loadingBackground = Entry(pictures, R::Background) + background;

    const uint64_t normal = Bitmap(pictures, R::ButtonShape);
    const uint64_t pressed = Bitmap(pictures, R::ButtonPressed);
    const uint64_t over = Bitmap(pictures, R::ButtonOver);
    const uint64_t working = normal + pressed + over;
    const uint64_t perButton = 2 * normal + pressed + over;
    const uint64_t buttonEntry =
        std::max({Entry(pictures, R::ButtonShape), Entry(pictures, R::ButtonPressed),
                  Entry(pictures, R::ButtonOver)});
    const uint64_t buttons = uint64_t(std::max(shownButtons, 0)) * perButton;
    const uint64_t buildingButtons =
        background + working + buttons + std::max(buttonEntry, Region(pictures, R::ButtonShape));

    const uint64_t box = Bitmap(pictures, R::CheckBoxShape);
    const uint64_t ticked = Bitmap(pictures, R::CheckBoxTicked);
    const uint64_t boxCopies = 2 * box + ticked;
    const uint64_t boxEntry =
        std::max(Entry(pictures, R::CheckBoxShape), Entry(pictures, R::CheckBoxTicked));
    const uint64_t buildingBox = background + buttons + box + ticked + boxCopies +
                                 std::max(boxEntry, Region(pictures, R::CheckBoxShape));

    const uint64_t face = std::max({normal, pressed, over, box, ticked});
    const uint64_t painting = background + buttons + boxCopies + face;
    return std::max({loadingBackground, buildingButtons, buildingBox, painting});
}
