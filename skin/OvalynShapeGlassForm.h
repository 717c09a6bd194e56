// TOvalynShapeGlassForm: a shaped form that looks like tinted glass. What lies behind
// the window shows through its skin and through the faces of the shaped buttons on it.
// The mode is chosen once, by the constructor:
//  - layered mode, when "user32.dll" exports "SetLayeredWindowAttributes": the window is
//    layered with one constant opacity and the window manager blends; the form's own
//    painting only recolours pictures (channel factors, hue rotation);
//  - emulation mode otherwise: the form keeps a picture of the screen, captured when the
//    form or the application is activated, and blends every picture it paints with the
//    part of that screen picture under each pixel.
// All blending goes through three 256 x 256 tables, one per channel, which live inside
// the form object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/system/ModuleHandle.h"
#include "framework/win32/Handles.h"
#include "skin/GlassBlend.h"
#include "skin/RotatedPicture.h"
#include "skin/ShapeFormUnit.h"
#include "skin/speedBitmap.h" // callers draw the composed pictures

class TBitmap;

class TOvalynShapeGlassForm : public TOvalynShapeForm {
public:
    using TLayeredProc = BOOL(WINAPI*)(HWND window, COLORREF key, BYTE alpha, DWORD flags);

    // Chooses the mode, builds the tables and, in layered mode, makes the window
    // layered with the alpha Round(255 - 255 x Transparency). A table value or an alpha
    // outside 0..255 raises ERangeError.
    explicit TOvalynShapeGlassForm(TComponent* owner);
    ~TOvalynShapeGlassForm() override;
    const char* ClassName() const override { return "TOvalynShapeGlassForm"; }

    // Weight of the screen in the blend. Also read at every activation, position change
    // and composition: 0 switches the blending off. The tables keep the value they were
    // built with until BuildTables runs again.
    double Transparency = 0.25;
    // Multipliers of the picture's channels, used only when the tables are built.
    double BlueFactor = 1.0;
    double GreenFactor = 1.0;
    double RedFactor = 1.0;
    // Hue rotation of every picture pixel at every composition (-359..359; 0 = none).
    int32_t HueShift = 0;
    // The window's screen position as last reported by the window manager.
    int32_t WindowLeft = 0;
    int32_t WindowTop = 0;

    // The blend tables, indexed [screen value][picture value].
    TBlendTable RedTable;
    TBlendTable GreenTable;
    TBlendTable BlueTable;

    bool LayeredAvailable() const { return layeredAvailable_; }
    TLayeredProc LayeredProc() const { return layeredProc_; }
    HMODULE User32Handle() const { return user32_.get(); }

    // Receives every composed picture; one picture shared by the form's painting and
    // all ComposeControl calls, so each caller draws it before the next composition.
    TSpeedBitmap* GlassPicture() const { return glassPicture_.get(); }
    // The captured screen picture: emulation mode only (nullptr in layered mode).
    TSpeedBitmap* Background() const { return background_.get(); }

    // Fills the three tables from Transparency (0 in layered mode) and the factors.
    void BuildTables();
    // Marks the window layered and gives it one opacity; results are ignored.
    void MakeLayered(HWND window, int alpha);
    // Takes the screen picture while the form is moved out of the way.
    void CaptureBackground();

    // Blends or recolours a picture whose top-left pixel lies on the screen at (X + frame
    // offset, Y + frame offset) into GlassPicture, and returns GlassPicture.
    TSpeedBitmap* Compose(int32_t x, int32_t y, TSpeedBitmap& picture);
    // Composes a copy of the skin for (x, y) and draws it at (0, 0) of the form. With a
    // hue shift the rotated skin is kept for the next paints, until the skin changes
    // (its change notification) or HueShift does.
    void PaintGlass(int32_t x, int32_t y);
    // For a shaped control at (left, top) of this form: composes a copy of its face and
    // returns GlassPicture, which the caller draws at once. With a hue shift the
    // rotations of the last faces met are kept and used again for equal pixels.
    TSpeedBitmap* ComposeControl(int left, int top, TBitmap& picture);

    // Also forgets the kept rotation of the skin: it runs on every change of the skin.
    void shapeIt(TObject* sender) override;

protected:
    // Re-creating the window keeps it layered.
    void CreateWnd() override;
    // The glass face: PaintGlass at the window's position (OnPaint does not fire).
    void Paint() override;
    // OnActivate, then in emulation mode a new screen picture.
    void Activate() override;
    // Emulation mode: follows the window's moves and repaints the form and its
    // controls for the new place. Never passed on.
    void WMWindowPosChanging(TMessage& message) override;
    // Emulation mode: a new screen picture when the application becomes active. Never
    // passed on.
    void WMActivateApp(TMessage& message) override;

private:
    bool Blending() const { return !layeredAvailable_ && Transparency != 0; }
    int LayeredAlpha() const;
    // Sizes GlassPicture; an empty size leaves it empty (a speed bitmap without rows
    // has no row address to take).
    void SizeGlassPicture(int width, int height);
    // Recolours or blends (by the mode) pixels already in 24 bits into GlassPicture.
    TSpeedBitmap* ComposeRows(int32_t x, int32_t y, const TPixelRows& picture, int32_t hueShift);
    // The skin rotated by HueShift, made now unless kept; nullptr when the rotation
    // raises, so that the paint rotates as it composes and raises where that would.
    const TPixelRows* RotatedSkin();

    ModuleHandle user32_; // released through the platform seam by the destructor
    TLayeredProc layeredProc_ = nullptr;
    bool layeredAvailable_ = false;
    std::unique_ptr<TSpeedBitmap> glassPicture_;
    std::unique_ptr<TSpeedBitmap> background_;
    TRotatedPicture rotatedSkin_;
    TRotatedFaces rotatedFaces_; // the faces of the controls on the form
};
