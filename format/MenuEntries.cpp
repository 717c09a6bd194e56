#include "format/MenuEntries.h"

#include <string>

namespace {

struct PictureInfo {
    std::string_view key;
    std::string_view label;
    std::string_view decompiledName;
    PictureRole fallback;
};

constexpr PictureInfo kPictures[kPictureCount] = {
    {"Background", "background", "background.bmp", PictureRole::Background},
    {"Button", "button", "button.bmp", PictureRole::ButtonShape},
    {"ButtonPressed", "pressed button", "button-pressed.bmp", PictureRole::ButtonShape},
    {"ButtonOver", "button under the pointer", "button-over.bmp", PictureRole::ButtonShape},
    {"CheckBox", "check box", "checkbox.bmp", PictureRole::CheckBoxShape},
    {"CheckBoxTicked", "ticked check box", "checkbox-ticked.bmp", PictureRole::CheckBoxShape},
};

const PictureInfo& Info(PictureRole role) {
    return kPictures[static_cast<int>(role)];
}

} // namespace

std::string_view PictureKey(PictureRole role) {
    return Info(role).key;
}

std::string_view PictureLabel(PictureRole role) {
    return Info(role).label;
}

std::string_view DecompiledPictureName(PictureRole role) {
    return Info(role).decompiledName;
}

PictureRole PictureFallback(PictureRole role) {
    return Info(role).fallback;
}

std::string DecompiledExtraName(int entry) {
    return "entry" + std::to_string(entry) + ".bin";
}
