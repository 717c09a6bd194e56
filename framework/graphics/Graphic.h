// TGraphic: the abstract picture (bitmap, JPEG) with size, streaming and the
// change notification sent after every modification.
#pragma once

#include <string>

#include "framework/graphics/NotifyEvent.h"
#include "framework/portable/Types.h"
#include "framework/runtime/Streams.h"

class TCanvas;

class TGraphic : public TPersistent {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;
    const char* ClassName() const override { return "TGraphic"; }

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True when the picture has no pixels (width or height 0).
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    // Both at once, with one change notification.
    virtual void SetSize(int width, int height);

    // Reads the picture from the stream's current position.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // Raise EFOpenError / EFCreateError naming the file when it cannot be
    // opened or created; errors of the content name the file too.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    // Draws the picture into rect of canvas (stretched to fit).
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

    // Whether the picture changed since the flag was last cleared.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    TNotifyEvent OnChange;

    // The change notification, sent after every modification: marks the
    // picture modified and fires OnChange. Descendants override it to react
    // and call the inherited version.
    virtual void Changed(TObject* sender);

private:
    bool modified_ = false;
};
