// TPicture: the picture an image control shows. It holds a bitmap (owned) and
// reports every change of it through OnChange.
#pragma once

#include <memory>
#include <string>

#include "framework/graphics/NotifyEvent.h"
#include "framework/runtime/Persistent.h"

class TBitmap;
class TGraphic;
class TStream;

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    const char* ClassName() const override { return "TPicture"; }

    // The picture's bitmap (owned; never null). Changes to it fire OnChange.
    TBitmap* Bitmap() const { return bitmap_.get(); }
    TGraphic* Graphic() const;
    // Copies a TPicture, a TBitmap (or other TGraphic, drawn into the bitmap);
    // nullptr empties the picture.
    void Assign(TPersistent* source) override;

    // Loads a BMP; a malformed one raises EInvalidGraphic and leaves the
    // previous picture.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

    int Width() const;
    int Height() const;

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TBitmap> bitmap_;
};
