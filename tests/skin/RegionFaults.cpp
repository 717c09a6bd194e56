#include "RegionFaults.h"

#include <array>
#include <stdexcept>

namespace {

struct FaultState {
    bool active = false;
    RegionCall failing = RegionCall::CreateRectRgn;
    int failingNumber = 0; // 0: none fails
    std::array<int, 4> counts{};
};
FaultState state;

bool CountAndDecide(RegionCall call) {
    const int number = ++state.counts[static_cast<int>(call)];
    return state.failingNumber != 0 && call == state.failing && number == state.failingNumber;
}

HRGN WINAPI FaultyCreateRectRgn(int left, int top, int right, int bottom) {
    if (CountAndDecide(RegionCall::CreateRectRgn))
        return nullptr;
    return SystemRegionCalls().CreateRectRgn(left, top, right, bottom);
}
int WINAPI FaultyCombineRgn(HRGN dest, HRGN source1, HRGN source2, int mode) {
    if (CountAndDecide(RegionCall::CombineRgn))
        return ERROR;
    return SystemRegionCalls().CombineRgn(dest, source1, source2, mode);
}
BOOL WINAPI FaultyDeleteObject(HGDIOBJ object) {
    // A refused release leaves the object as it was, as the system does; its
    // owner keeps it and releases it later, so a test leaks nothing.
    if (CountAndDecide(RegionCall::DeleteObject))
        return FALSE;
    return SystemRegionCalls().DeleteObject(object);
}
int WINAPI FaultySetWindowRgn(HWND window, HRGN region, BOOL redraw) {
    if (CountAndDecide(RegionCall::SetWindowRgn))
        return 0;
    return SystemRegionCalls().SetWindowRgn(window, region, redraw);
}

} // namespace

RegionFaults::RegionFaults(RegionCall call, int failingCallNumber) {
    if (state.active)
        throw std::logic_error("RegionFaults: only one at a time");
    state = FaultState{true, call, failingCallNumber, {}};
    RegionCalls() = {FaultyCreateRectRgn, FaultyCombineRgn, FaultyDeleteObject, FaultySetWindowRgn};
}

RegionFaults::RegionFaults() : RegionFaults(RegionCall::CreateRectRgn, 0) {}

RegionFaults::~RegionFaults() {
    RegionCalls() = SystemRegionCalls();
    state.active = false;
}

int RegionFaults::Calls(RegionCall call) const {
    return state.counts[static_cast<int>(call)];
}

bool RegionFaults::Fired() const {
    return state.failingNumber != 0 &&
           state.counts[static_cast<int>(state.failing)] >= state.failingNumber;
}
