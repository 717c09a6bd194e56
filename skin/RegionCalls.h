// The region calls of the skin library go through one table of function
// pointers, so that a test can make a single call fail and check the message
// the library raises. Production code never changes the table.
#pragma once

#include <windows.h>

#include <utility>

struct TRegionCalls {
    HRGN(WINAPI* CreateRectRgn)(int left, int top, int right, int bottom);
    int(WINAPI* CombineRgn)(HRGN dest, HRGN source1, HRGN source2, int mode);
    BOOL(WINAPI* DeleteObject)(HGDIOBJ object);
    int(WINAPI* SetWindowRgn)(HWND window, HRGN region, BOOL redraw);
    // Last, with the system's function as default, so that a table listing
    // only the four calls above still creates regions from rectangle lists.
    HRGN(WINAPI* ExtCreateRegion)
    (const XFORM* transform, DWORD size, const RGNDATA* data) = &::ExtCreateRegion;
};

// The table in use; starts with the system's functions.
TRegionCalls& RegionCalls();
// The system's functions, for restoring the table.
const TRegionCalls& SystemRegionCalls();

// Move-only owner of a region created through the table. The destructor
// releases through the table without looking at the result (it runs on the
// way out of a failed operation); ReleaseChecked is for the releases whose
// failure the library reports.
class SkinRegion {
public:
    SkinRegion() = default;
    explicit SkinRegion(HRGN region) : region_(region) {}
    SkinRegion(SkinRegion&& other) noexcept : region_(std::exchange(other.region_, nullptr)) {}
    SkinRegion& operator=(SkinRegion&& other) noexcept {
        if (this != &other) {
            reset();
            region_ = std::exchange(other.region_, nullptr);
        }
        return *this;
    }
    SkinRegion(const SkinRegion&) = delete;
    SkinRegion& operator=(const SkinRegion&) = delete;
    ~SkinRegion() { reset(); }

    HRGN get() const { return region_; }
    explicit operator bool() const { return region_ != nullptr; }
    // Gives the region up to a new owner (SetWindowRgn, a caller).
    HRGN release() { return std::exchange(region_, nullptr); }
    void reset() {
        if (region_)
            RegionCalls().DeleteObject(std::exchange(region_, nullptr));
    }
    // Releases the region; false when the system refused. A refused region
    // still exists, so the owner keeps it (and its shape) and releases it later.
    bool ReleaseChecked() {
        if (region_ == nullptr)
            return true;
        if (!RegionCalls().DeleteObject(region_))
            return false;
        region_ = nullptr;
        return true;
    }

private:
    HRGN region_ = nullptr;
};
