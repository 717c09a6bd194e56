#include "skin/OvalynShapeButton.h"

#include <mmsystem.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/runtime/Streams.h"
#include "framework/system/PlatformCalls.h"
#include "skin/OvalynShapeGlassForm.h"

TOvalynShapeButton::TOvalynShapeButton(TComponent* owner)
    : TOvalynShapeControl(owner), pressedBmp_(std::make_unique<TBitmap>()),
      overBmp_(std::make_unique<TBitmap>()) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable});
    SetBounds(Left(), Top(), 40, 40);
    SetColor(clBtnFace);
}

TOvalynShapeButton::~TOvalynShapeButton() = default;

void TOvalynShapeButton::SetPressedBmp(TBitmap* bitmap) {
    pressedBmp_->Assign(bitmap);
}

void TOvalynShapeButton::SetOverBmp(TBitmap* bitmap) {
    overBmp_->Assign(bitmap);
}

void TOvalynShapeButton::SetEnabled(bool enabled) {
    TOvalynShapeControl::SetEnabled(enabled);
    Invalidate();
}

void TOvalynShapeButton::SetMask(TBitmap* mask) {
    TOvalynShapeControl::SetMask(mask);
    if (!mask)
        return;
    SetWidth(mask->Width());
    SetHeight(mask->Height());
}

// ---- painting -------------------------------------------------------------------------

void TOvalynShapeButton::Paint() {
    TBitmap* chosen = Mask();
    if (Pressed())
        chosen = PressedBmp();
    else if (mouseOver_ && OverBmp()->Width() != 0)
        chosen = OverBmp();
    if (!Enabled())
        chosen = DisabledBmp();
    PaintFace(*chosen);
}

void TOvalynShapeButton::PaintFace(TBitmap& chosen) {
    TBitmap face;
    face.Assign(&chosen);
    if (Mask()->Width() == 0) {
        face.SetSize(Width(), Height());
        face.Canvas().Brush().SetColor(Color());
        face.Canvas().Brush().SetStyle(bsSolid);
        face.Canvas().FillRect(Rect(0, 0, Width(), Height()));
    }
    DrawCaption(face);
    PresentFace(face);
}

void TOvalynShapeButton::PresentFace(TBitmap& face) {
    // On a glass form the face shows as the glass composes it for this place.
    if (auto* glass = dynamic_cast<TOvalynShapeGlassForm*>(Parent())) {
        Canvas()->Draw(0, 0, *glass->ComposeControl(Left(), Top(), face));
        return;
    }
    Canvas()->Draw(0, 0, face);
}

void TOvalynShapeButton::WMEraseBkgnd(TMessage& message) {
    message.Result = 0;
}

void TOvalynShapeButton::CMTextChanged(TMessage&) {
    Invalidate();
}

// ---- pointer and clicks ----------------------------------------------------------------

void TOvalynShapeButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    mouseOver_ = true;
    Invalidate();
    TOvalynShapeControl::MouseDown(button, shift, x, y);
}

void TOvalynShapeButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Invalidate();
    TOvalynShapeControl::MouseUp(button, shift, x, y);
}

void TOvalynShapeButton::MouseEnter() {
    mouseOver_ = true;
    Invalidate();
    TOvalynShapeControl::MouseEnter();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TOvalynShapeButton::MouseLeave() {
    mouseOver_ = false;
    Invalidate();
    TOvalynShapeControl::MouseLeave();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TOvalynShapeButton::Click() {
    // Asynchronous and nothing else: the name is tried as an alias first,
    // then as a file, and the call returns at once.
    if (!disableSound_ && FileExists(clickSound_))
        Platform().PlaySoundA(clickSound_.c_str(), nullptr, SND_ASYNC);
    TOvalynShapeControl::Click();
}

// ---- skin folders ----------------------------------------------------------------------

void TOvalynShapeButton::SaveSkin(const std::string& folder) {
    TOvalynShapeControl::SaveSkin(folder);
    const std::string resolved = ResolveFolder(folder);
    // No sound set or a missing file: nothing to copy, and that is fine.
    (void)Platform().CopyFileA(clickSound_.c_str(), (resolved + "\\" + Name() + ".wav").c_str(),
                               FALSE);
    pressedBmp_->SaveToFile(resolved + "\\pressedBmp_" + Name() + ".bmp");
    overBmp_->SaveToFile(resolved + "\\overBmp_" + Name() + ".bmp");
    WriteFontKeys(folder, "Font", *Font());
    WriteFontKeys(folder, "DisabledFont", *DisabledFont());
}

void TOvalynShapeButton::LoadSkin(const std::string& folder) {
    TOvalynShapeControl::LoadSkin(folder);
    const std::string resolved = ResolveFolder(folder);
    clickSound_ = resolved + "\\" + Name() + ".wav";
    LoadPictureFile(*pressedBmp_, resolved + "\\pressedBmp_" + Name());
    LoadPictureFile(*overBmp_, resolved + "\\overBmp_" + Name());
    LoadFonts(folder);
}
