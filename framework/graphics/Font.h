// TFont: the description of a GDI font with an owned HFONT made on demand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/graphics/NotifyEvent.h"
#include "framework/portable/Color.h"
#include "framework/runtime/Set.h"
#include "framework/win32/Handles.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
using TFontCharset = uint8_t;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TPersistent {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const char* ClassName() const override { return "TFont"; }

    // From another TFont: name, height, style, colour, charset and pitch; then
    // one OnChange. Other sources go to TPersistent::Assign (EConvertError).
    void Assign(TPersistent* source) override;

    const std::string& Name() const { return name_; }
    // An empty name is ignored (the font keeps its face).
    void SetName(const std::string& name);
    // Size in points: -Height * 72 / PixelsPerInch (rounded like MulDiv).
    int Size() const;
    void SetSize(int points);
    // Height in pixels; negative = character height, positive = cell height.
    int Height() const { return height_; }
    void SetHeight(int pixels);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    // The screen's logical pixels per inch, used for Size; 96 if unknown.
    int PixelsPerInch() const { return pixelsPerInch_; }

    // The font's HFONT, owned by this object, created on first use and made
    // anew after a change. Valid until the next change or the destructor; a
    // DC that selected it must deselect it before then (TCanvas does).
    HFONT Handle();

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int pixelsPerInch_ = 96;
    FontHandle handle_;
    bool stale_ = true;
};
