#include "framework/ui/Picture.h"

#include "framework/graphics/Bitmap.h"
#include "framework/runtime/Streams.h"

TPicture::TPicture() : bitmap_(std::make_unique<TBitmap>()) {
    bitmap_->OnChange = [this](TObject*) {
        if (OnChange)
            OnChange(this);
    };
}

TPicture::~TPicture() {
    bitmap_->OnChange = nullptr;
}

TGraphic* TPicture::Graphic() const {
    return bitmap_.get();
}

void TPicture::Assign(TPersistent* source) {
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        bitmap_->Assign(picture->bitmap_.get());
        return;
    }
    if (!source || dynamic_cast<TGraphic*>(source)) {
        bitmap_->Assign(source);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::LoadFromStream(TStream& stream) {
    // Decode into a separate bitmap: a malformed stream leaves the picture as it was.
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    bitmap_->TakeOver(loaded);
}

void TPicture::LoadFromFile(const std::string& fileName) {
    TBitmap loaded;
    loaded.LoadFromFile(fileName);
    bitmap_->TakeOver(loaded);
}

int TPicture::Width() const {
    return bitmap_->Width();
}

int TPicture::Height() const {
    return bitmap_->Height();
}
