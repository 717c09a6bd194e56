// The launcher's two files beside it and what each numbered entry of its
// container holds. Entries are numbered from 1, as the container reader
// counts them; the launcher reads entries 1 to 8 and never one above.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr const char* kContainerName = "L-Ctnr.ctr";
// The text the launcher shows when the container is missing names it in
// capitals, as users type it.
inline constexpr const char* kContainerMissingText =
    "File L-CTNR.CTR is missing.\r\nProgram terminates!";

inline constexpr uint8_t kConfigurationEntry = 1; // the configuration list (text lines)
inline constexpr uint8_t kNoticeEntry = 2;        // the requirement notice (text lines)
inline constexpr int kFirstPictureEntry = 3; // entries 3 to 8: the pictures, in PictureRole order
inline constexpr int kPictureCount = 6;
inline constexpr int kLauncherEntries = 8;
// The container format counts entries in 16 bits but the reader in 8.
inline constexpr int kMaxContainerEntries = 255;

enum class PictureRole {
    Background,     // entry 3: the window's background
    ButtonShape,    // entry 4: every button's normal look; its fuchsia pixels are cut away
    ButtonPressed,  // entry 5: a pressed button
    ButtonOver,     // entry 6: a button under the pointer
    CheckBoxShape,  // entry 7: the unticked check box; its fuchsia pixels are cut away
    CheckBoxTicked, // entry 8: the check box while ticked or pressed
};

// The picture held by entry kFirstPictureEntry + index.
constexpr PictureRole PictureAt(int index) {
    return static_cast<PictureRole>(index);
}
constexpr uint8_t EntryOf(PictureRole role) {
    return static_cast<uint8_t>(kFirstPictureEntry + static_cast<int>(role));
}
// True for the pictures whose fuchsia pixels give the control its shape.
constexpr bool IsShapePicture(PictureRole role) {
    return role == PictureRole::ButtonShape || role == PictureRole::CheckBoxShape;
}

// "Background", "Button", ... (the menu.ini key in [Pictures]).
std::string_view PictureKey(PictureRole role);
// "background", "button under the pointer", ... (for messages).
std::string_view PictureLabel(PictureRole role);
// The file a container taken apart keeps the picture in: "background.bmp", ...
std::string_view DecompiledPictureName(PictureRole role);
// The picture whose file the role takes when menu.ini names none of its own
// (the pressed and hovered looks take the normal one); the role itself when
// there is none.
PictureRole PictureFallback(PictureRole role);

// The notice's and the extra entries' files of a container taken apart.
inline constexpr const char* kDecompiledNoticeName = "notice.txt";
// "entry9.bin", ...
std::string DecompiledExtraName(int entry);
