#include "skin/OvalynShapeGlassForm.h"

#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/runtime/CheckedMath.h"
#include "framework/runtime/Exceptions.h"
#include "framework/system/PlatformCalls.h"
#include "skin/OvalynSkin.h"
#include "skin/speedBitmap.h"

namespace {

TPixelRows RowsOf(const TSpeedBitmap& bitmap) {
    TPixelRows rows;
    if (bitmap.Width() > 0 && bitmap.Height() > 0) {
        rows.ScanLine0 = bitmap.ScanLine0();
        rows.LineBytes = bitmap.LineBytes();
        rows.Width = bitmap.Width();
        rows.Height = bitmap.Height();
    }
    return rows;
}

// A speed-bitmap copy of a picture, or nullptr for an empty picture: a speed bitmap
// without rows cannot take its row address, and an empty picture composes to nothing.
std::unique_ptr<TSpeedBitmap> CopyOf(TBitmap& picture) {
    if (picture.Empty())
        return nullptr;
    auto copy = std::make_unique<TSpeedBitmap>();
    copy->Assign(&picture);
    return copy;
}

} // namespace

TOvalynShapeGlassForm::TOvalynShapeGlassForm(TComponent* owner)
    : TOvalynShapeForm(owner), WindowLeft(Left()), WindowTop(Top()) {
    user32_.reset(Platform().LoadLibraryA("user32.dll"));
    if (user32_) {
        // An export's address has no type of its own; this one is the layered call.
        FARPROC proc = Platform().GetProcAddress(user32_.get(), "SetLayeredWindowAttributes");
        layeredProc_ = reinterpret_cast<TLayeredProc>(reinterpret_cast<void*>(proc));
        layeredAvailable_ = layeredProc_ != nullptr;
    }
    BuildTables();
    glassPicture_ = std::make_unique<TSpeedBitmap>();
    if (layeredAvailable_)
        MakeLayered(Handle(), LayeredAlpha());
    else
        background_ = std::make_unique<TSpeedBitmap>();
}

TOvalynShapeGlassForm::~TOvalynShapeGlassForm() {
    // Also a null handle goes to FreeLibrary, which then refuses it harmlessly.
    Platform().FreeLibrary(user32_.release());
    glassPicture_.reset();
    background_.reset();
}

int TOvalynShapeGlassForm::LayeredAlpha() const {
    const double alpha = std::nearbyint(255 - Transparency * 255);
    if (!(alpha >= 0 && alpha <= 255))
        throw ERangeError();
    return static_cast<int>(alpha);
}

void TOvalynShapeGlassForm::BuildTables() {
    const double a = layeredAvailable_ ? 0.0 : Transparency;
    BuildBlendTable(RedTable, a, RedFactor);
    BuildBlendTable(GreenTable, a, GreenFactor);
    BuildBlendTable(BlueTable, a, BlueFactor);
}

void TOvalynShapeGlassForm::MakeLayered(HWND window, int alpha) {
    if (alpha < 0 || alpha > 255)
        throw ERangeError();
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (layeredProc_)
        layeredProc_(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void TOvalynShapeGlassForm::CreateWnd() {
    TOvalynShapeForm::CreateWnd();
    // The first window is made layered by the constructor; a re-created one would
    // otherwise come back opaque.
    if (layeredAvailable_ && glassPicture_)
        MakeLayered(Handle(), LayeredAlpha());
}

void TOvalynShapeGlassForm::CaptureBackground() {
    if (Transparency == 0)
        return;
    // Puts the form back and hands the screen's DC back on every way out.
    struct TRestore {
        TOvalynShapeGlassForm& Form;
        int Left;
        ~TRestore() { Form.SetLeft(Left); }
    } restore{*this, Left()};
    SetLeft(-3000);
    Sleep(10); // lets the screen repaint where the form was
    HWND desktop = GetDesktopWindow();
    WindowDc screenDc = WindowDc::Whole(desktop);
    TCanvas screen(screenDc.get());
    if (!background_)
        background_ = std::make_unique<TSpeedBitmap>();
    const TRect area = screen.ClipRect();
    background_->SetSize(area.Width(), area.Height());
    background_->Canvas().CopyRect(background_->Canvas().ClipRect(), screen, area);
}

void TOvalynShapeGlassForm::SizeGlassPicture(int width, int height) {
    if (width > 0 && height > 0) {
        glassPicture_->SetSize(width, height);
        return;
    }
    if (glassPicture_->Empty())
        return;
    try {
        glassPicture_->SetSize(0, 0);
    } catch (const EInvalidGraphicOperation&) {
        // The picture is empty now; only its row address could not be taken, and an
        // empty picture is never read.
    }
}

TSpeedBitmap* TOvalynShapeGlassForm::Compose(int32_t x, int32_t y, TSpeedBitmap& picture) {
    if (Blending() && !background_) {
        if (picture.Empty())
            SizeGlassPicture(0, 0);
        else
            glassPicture_->Assign(&picture);
        return glassPicture_.get();
    }
    return ComposeRows(x, y, RowsOf(picture), HueShift);
}

TSpeedBitmap* TOvalynShapeGlassForm::ComposeRows(int32_t x, int32_t y, const TPixelRows& picture,
                                                 int32_t hueShift) {
    const TBlendTables tables{RedTable, GreenTable, BlueTable};
    SizeGlassPicture(picture.Width, picture.Height);
    if (glassPicture_->Empty())
        return glassPicture_.get();
    if (!Blending()) {
        RecolourPicture(picture, RowsOf(*glassPicture_), tables, hueShift);
        return glassPicture_.get();
    }
    const int32_t frameX = (Width() - ClientWidth()) / 2;
    const int32_t frameY = (Height() - ClientHeight()) - frameX;
    const int32_t originX = CheckedAdd<int32_t>(x, frameX);
    const int32_t originY = CheckedAdd<int32_t>(y, frameY);
    BlendPicture(picture, RowsOf(*background_), originX, originY, RowsOf(*glassPicture_), tables,
                 hueShift);
    return glassPicture_.get();
}

const TPixelRows* TOvalynShapeGlassForm::RotatedSkin() {
    if (rotatedSkin_.Holds(HueShift))
        return &rotatedSkin_.Rows();
    std::unique_ptr<TSpeedBitmap> copy = CopyOf(*Skin());
    try {
        return &rotatedSkin_.Make(RowsOf(*copy), HueShift);
    } catch (const Exception&) {
        // A shift outside -359..359 can fail on some pixels, perhaps ones no
        // composition reaches: only the paint itself may tell.
        return nullptr;
    }
}

void TOvalynShapeGlassForm::PaintGlass(int32_t x, int32_t y) {
    if (Skin()->Empty())
        return; // no skin yet: nothing to show
    // The blend with a missing screen picture is a plain copy, without rotation.
    if (HueShift != 0 && (!Blending() || background_)) {
        if (const TPixelRows* rotated = RotatedSkin()) {
            ComposeRows(x, y, *rotated, 0);
            Canvas()->Draw(0, 0, *glassPicture_);
            return;
        }
    }
    std::unique_ptr<TSpeedBitmap> copy = CopyOf(*Skin());
    Compose(x, y, *copy);
    Canvas()->Draw(0, 0, *glassPicture_);
}

TSpeedBitmap* TOvalynShapeGlassForm::ComposeControl(int left, int top, TBitmap& picture) {
    const int32_t x = CheckedAdd<int32_t>(left, WindowLeft);
    const int32_t y = CheckedAdd<int32_t>(top, WindowTop);
    std::unique_ptr<TSpeedBitmap> copy = CopyOf(picture);
    if (!copy) {
        SizeGlassPicture(0, 0);
        return glassPicture_.get();
    }
    if (HueShift != 0 && (!Blending() || background_)) {
        const TPixelRows* rotated = nullptr;
        try {
            rotated = &rotatedFaces_.For(RowsOf(*copy), HueShift);
        } catch (const Exception&) {
            // As for the skin: the composition below raises where it must.
        }
        if (rotated)
            return ComposeRows(x, y, *rotated, 0);
    }
    return Compose(x, y, *copy);
}

void TOvalynShapeGlassForm::shapeIt(TObject* sender) {
    rotatedSkin_.Forget();
    TOvalynShapeForm::shapeIt(sender);
}

void TOvalynShapeGlassForm::Paint() {
    PaintGlass(WindowLeft, WindowTop);
}

void TOvalynShapeGlassForm::Activate() {
    TOvalynShapeForm::Activate();
    if (Blending())
        CaptureBackground();
}

void TOvalynShapeGlassForm::WMWindowPosChanging(TMessage& message) {
    if (!Blending() || ComponentState().Contains(csLoading))
        return;
    const auto* position = reinterpret_cast<const WINDOWPOS*>(message.LParam);
    // Without a move the coordinates in the message mean nothing; with one they are
    // the real place, 0 included (the capture's move back to x = 0 must be seen).
    if (position == nullptr || (position->flags & SWP_NOMOVE))
        return;
    WindowLeft = position->x;
    WindowTop = position->y;
    // The children too: the clip-children style keeps the buttons out of the form's
    // own repaint, and their glass faces depend on the place as much as the form's.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    message.Result = 0;
}

void TOvalynShapeGlassForm::WMActivateApp(TMessage& message) {
    if (!layeredAvailable_ && message.WParam != 0)
        CaptureBackground();
    message.Result = 0;
}
