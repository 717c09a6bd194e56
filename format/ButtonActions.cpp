#include "format/ButtonActions.h"

namespace {

using C = ButtonCommand;
using P = PressSound;
constexpr uint8_t kBothModes = kLaunchMode | kRequirementMode;

constexpr ButtonAction kActions[kButtonGroups] = {
    {1, C::OpenAndEnd, SettingId::InstallOpen, P::Async, kRequirementMode},
    {2, C::Quit, std::nullopt, P::Sync, kBothModes},
    {3, C::Launch, SettingId::LaunchProgram, P::Sync, kLaunchMode},
    {4, C::Open, SettingId::WebOpen, P::Async, kBothModes},
    {5, C::None, std::nullopt, P::Async, kBothModes},
    {6, C::None, std::nullopt, P::Async, kBothModes},
    {7, C::None, std::nullopt, P::Async, kBothModes},
    {8, C::None, std::nullopt, P::Async, kBothModes},
    {9, C::None, std::nullopt, P::Async, kBothModes},
    {10, C::None, std::nullopt, P::Async, kBothModes},
};

constexpr bool GroupsInOrder() {
    for (int i = 0; i < kButtonGroups; ++i)
        if (kActions[i].group != i + 1)
            return false;
    return true;
}
static_assert(GroupsInOrder(), "row g - 1 is button group g");

} // namespace

std::span<const ButtonAction> ButtonActions() {
    return kActions;
}

const ButtonAction& ButtonActionOf(int group) {
    return kActions[group - 1];
}
