#include "framework/ui/Image.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetControlStyle(ControlStyle().Include(csReplicatable));
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void TImage::SetPicture(TPicture* picture) {
    picture_->Assign(picture);
}

void TImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    Invalidate();
}

void TImage::SetCenter(bool center) {
    center_ = center;
    Invalidate();
}

void TImage::AdjustSize() {
    // An empty picture leaves the size alone.
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
}

void TImage::PictureChanged() {
    AdjustSize();
    Invalidate();
}

bool TImage::Opaque() const {
    const TBitmap* bitmap = picture_->Bitmap();
    if (bitmap->Empty())
        return false;
    return stretch_ || (bitmap->Width() >= Width() && bitmap->Height() >= Height());
}

void TImage::Paint() {
    TBitmap* bitmap = picture_->Bitmap();
    if (bitmap->Empty())
        return;
    if (stretch_) {
        Canvas()->StretchDraw(ClientRect(), *bitmap);
        return;
    }
    int x = center_ ? (Width() - bitmap->Width()) / 2 : 0;
    int y = center_ ? (Height() - bitmap->Height()) / 2 : 0;
    Canvas()->Draw(x, y, *bitmap);
}
