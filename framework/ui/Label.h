// TLabel: a windowless text (a TGraphicControl drawn by its parent), so a
// property panel with many captions costs no windows.
#pragma once

#include "framework/ui/GraphicControl.h"
#include "framework/ui/TextAlignment.h"

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    const char* ClassName() const override { return "TLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    // On: the label takes the size of its text (one line unless WordWrap, in
    // which case only the height follows) whenever text or font change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // On: only the text is drawn and the parent shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // The field a label names: with one, "&" in the caption marks the
    // access key (drawn underlined, "&&" for a plain "&"), and Alt with that
    // key focuses the field. Without one, the caption is shown as written.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    // The caption's access key in upper case, 0 for none.
    char AccessKey() const;

    bool Opaque() const override { return !transparent_; }

protected:
    void Paint() override;
    void CMTextChanged(TMessage& message) override;
    void FontChanged() override;

private:
    // DrawTextA flags for the current settings.
    unsigned TextFlags() const;
    void AdjustSize();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = true;
    TWinControl* focusControl_ = nullptr;
};
