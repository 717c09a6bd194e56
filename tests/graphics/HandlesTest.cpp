#include <gtest/gtest.h>

#include <utility>

#include "framework/system/ModuleHandle.h"
#include "framework/system/RecordingPlatform.h"
#include "framework/win32/Handles.h"

namespace {

bool IsLiveGdiObject(HGDIOBJ object) {
    return ::GetObjectType(object) != 0;
}

TEST(Handles, OwnerDeletesOnDestructionAndReset) {
    HRGN raw = ::CreateRectRgn(0, 0, 4, 4);
    {
        RegionHandle region(raw);
        EXPECT_TRUE(region);
        EXPECT_EQ(region.get(), raw);
    }
    EXPECT_FALSE(IsLiveGdiObject(raw));

    HRGN first = ::CreateRectRgn(0, 0, 1, 1);
    HRGN second = ::CreateRectRgn(0, 0, 2, 2);
    RegionHandle region(first);
    region.reset(second);
    EXPECT_FALSE(IsLiveGdiObject(first));
    EXPECT_TRUE(IsLiveGdiObject(second));
    region.reset();
    EXPECT_FALSE(region);
    EXPECT_FALSE(IsLiveGdiObject(second));
}

TEST(Handles, ReleaseGivesOwnershipAway) {
    RegionHandle region(::CreateRectRgn(0, 0, 4, 4));
    HRGN raw = region.release();
    EXPECT_FALSE(region);
    EXPECT_TRUE(IsLiveGdiObject(raw)) << "release must not delete";
    ::DeleteObject(raw);
}

TEST(Handles, MoveTransfersAndFreesTheTargetsOldHandle) {
    HBRUSH a = ::CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH b = ::CreateSolidBrush(RGB(4, 5, 6));
    BrushHandle first(a);
    BrushHandle second(b);
    second = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), a);
    EXPECT_FALSE(IsLiveGdiObject(b));
    BrushHandle third(std::move(second));
    EXPECT_EQ(third.get(), a);
    EXPECT_FALSE(second);
}

TEST(Handles, MemoryDcAndWindowDc) {
    HDC raw = nullptr;
    {
        MemoryDc dc = MemoryDc::CompatibleWith(nullptr);
        ASSERT_TRUE(dc);
        raw = dc.get();
        EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(raw), 0u);

    WindowDc screen = WindowDc::Client(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_GT(::GetDeviceCaps(screen.get(), HORZRES), 0);
    WindowDc moved = std::move(screen);
    EXPECT_FALSE(screen);
    EXPECT_TRUE(moved);
}

TEST(Handles, FileHandleTreatsInvalidValueAsEmpty) {
    FileHandle none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
    char path[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, path), 0u);
    std::string name = std::string(path) + "ovalyn_handle_test.tmp";
    {
        FileHandle file(::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
    }
    // Closed: the file can be deleted and opened exclusively again.
    EXPECT_TRUE(::DeleteFileA(name.c_str()));
}

TEST(Handles, ModuleHandleFreesThroughThePlatformSeam) {
    TRecordingPlatform fake;
    fake.LoadLibraryAnswer = reinterpret_cast<HMODULE>(0x1234);
    ScopedPlatform scope(fake);
    {
        ModuleHandle module(Platform().LoadLibraryA("user32.dll"));
        EXPECT_TRUE(module);
    }
    ASSERT_EQ(fake.Names(), (std::vector<std::string>{"LoadLibraryA", "FreeLibrary"}));
    EXPECT_EQ(fake.Calls[1].Args[0], std::to_string(0x1234));
}

} // namespace
