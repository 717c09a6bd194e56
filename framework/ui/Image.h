// TImage: a windowless control that shows a picture.
#pragma once

#include <memory>

#include "framework/ui/GraphicControl.h"
#include "framework/ui/Picture.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    const char* ClassName() const override { return "TImage"; }

    // With AutoSize the control takes its picture's size whenever the picture
    // changes (and at once when AutoSize is switched on).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The picture (owned); SetPicture copies. Every change repaints.
    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* picture);

    // Stretch draws the picture over the whole control; Center centres it.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Center() const { return center_; }
    void SetCenter(bool center);

    // A picture drawn over the whole control (stretched, or at least as
    // large as the control) hides the parent's background there.
    bool Opaque() const override;

protected:
    void Paint() override;

private:
    void PictureChanged();
    void AdjustSize();

    std::unique_ptr<TPicture> picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    bool center_ = false;
};
