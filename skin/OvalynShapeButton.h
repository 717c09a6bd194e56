// TOvalynShapeButton: a push button shaped by its Mask whose face is chosen
// by its state: PressedBmp while the left button is held on it, OverBmp while
// the pointer is over it (when that picture is not empty), Mask otherwise, and
// DisabledBmp whenever it is disabled. The caption is drawn over the face. A
// click plays ClickSound (when the file exists and DisableSound is off) before
// OnClick fires.
#pragma once

#include <memory>
#include <string>

#include "framework/graphics/NotifyEvent.h"
#include "skin/OvalynShapeControl.h"

class TOvalynShapeButton : public TOvalynShapeControl {
public:
    explicit TOvalynShapeButton(TComponent* owner);
    ~TOvalynShapeButton() override;
    const char* ClassName() const override { return "TOvalynShapeButton"; }

    // Owned pictures; the setters copy the picture's content, no repaint.
    TBitmap* PressedBmp() const { return pressedBmp_.get(); }
    void SetPressedBmp(TBitmap* bitmap);
    TBitmap* OverBmp() const { return overBmp_.get(); }
    void SetOverBmp(TBitmap* bitmap);

    // The sound file played on a click, stored as given.
    const std::string& ClickSound() const { return clickSound_; }
    void SetClickSound(const std::string& fileName) { clickSound_ = fileName; }
    bool DisableSound() const { return disableSound_; }
    void SetDisableSound(bool disable) { disableSound_ = disable; }

    // Whether the pointer is over the button (set also by a press of any button).
    bool MouseOver() const { return mouseOver_; }

    // Fired after the pointer entered / left the button.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void SetEnabled(bool enabled) override;
    // Copies the mask (reshaping the window), then takes the picture's size.
    void SetMask(TBitmap* mask) override;
    // Adds the pressed and hover pictures, the click sound ("<Name>.wav") and
    // the "Font" and "DisabledFont" key groups to the base look.
    void SaveSkin(const std::string& folder) override;
    void LoadSkin(const std::string& folder) override;

protected:
    void Paint() override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CMTextChanged(TMessage& message) override;
    // The background is never erased: the face covers it.
    void WMEraseBkgnd(TMessage& message) override;

    // Whether the left button was pressed on the button and is still held.
    bool Pressed() const { return ControlState().Contains(csLButtonDown); }
    // Composes the face from the chosen stored picture on a working copy (a
    // plain Color face while there is no mask), draws the caption on it and
    // presents it. The stored pictures are never drawn on.
    void PaintFace(TBitmap& chosen);
    // Puts the finished face on the screen at (0, 0) of the button.
    void PresentFace(TBitmap& face);

private:
    std::unique_ptr<TBitmap> pressedBmp_;
    std::unique_ptr<TBitmap> overBmp_;
    std::string clickSound_;
    bool disableSound_ = false;
    bool mouseOver_ = false;
};
