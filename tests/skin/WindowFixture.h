// Real windows for the shaped-control tests: a borderless form on the private
// display, message pumping, the real pointer and buttons (SetCursorPos,
// SendInput), and the pixels on screen read back from the form's window DC.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "TestMasks.h"
#include "framework/ui/Form.h"

class WindowTest : public ::testing::Test {
public:
    static void DestroySharedForm();

protected:
    static constexpr int formLeft = 160;
    static constexpr int formTop = 120;
    static constexpr int formWidth = 320;
    static constexpr int formHeight = 240;
    // The form's background: different from every picture the tests use.
    static constexpr std::uint32_t formColor = 0x306090;

    void SetUp() override;
    void TearDown() override;

    // One form for the whole test program: destroying a shown top-level
    // window costs seconds under Wine without a window manager. Each test's
    // controls are freed at its end.
    TForm& Form() { return *form_; }

    // Handles the messages waiting and the idle work (pointer enter and
    // leave), a few rounds with short pauses so the display catches up.
    void Pump(int rounds = 4);
    // Pointer to a point of the control given in its own coordinates.
    void PointAt(TControl& control, int x, int y);
    // Pointer to a point of the form outside every control.
    void PointAway();
    void Press(DWORD downFlag);
    void Release(DWORD upFlag);
    // A full left click at the pointer's place.
    void LeftClick();
    // Lets the double-click time pass, so the next press starts anew.
    static void WaitOutDoubleClick() { Sleep(GetDoubleClickTime() + 50); }

    // The pixels on screen where the control lies, after all painting.
    TestMask Capture(TControl& control);
    TestMask CaptureArea(int left, int top, int width, int height);

private:
    static TForm* form_; // owned by the test program, freed by DestroySharedForm
};
