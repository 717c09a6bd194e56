#include "framework/graphics/Font.h"

#include <cstring>

namespace {
int ScreenPixelsPerInch() {
    HDC screen = ::GetDC(nullptr);
    int ppi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}
} // namespace

TFont::TFont() : pixelsPerInch_(ScreenPixelsPerInch()) {}

TFont::~TFont() = default;

void TFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TFont*>(source)) {
        if (other == this)
            return;
        name_ = other->name_;
        height_ = other->height_;
        style_ = other->style_;
        color_ = other->color_;
        charset_ = other->charset_;
        pitch_ = other->pitch_;
        stale_ = true;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_)
        return;
    name_ = name;
    stale_ = true;
    Changed();
}

int TFont::Size() const {
    return -::MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int points) {
    SetHeight(-::MulDiv(points, pixelsPerInch_, 72));
}

void TFont::SetHeight(int pixels) {
    if (pixels == height_)
        return;
    height_ = pixels;
    stale_ = true;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_)
        return;
    style_ = style;
    stale_ = true;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed(); // the colour is applied by the canvas, not part of the HFONT
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_)
        return;
    charset_ = charset;
    stale_ = true;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_)
        return;
    pitch_ = pitch;
    stale_ = true;
    Changed();
}

HFONT TFont::Handle() {
    if (stale_ || !handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                              : pitch_ == fpVariable ? VARIABLE_PITCH
                                                     : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.reset(::CreateFontIndirectA(&lf));
        stale_ = false;
    }
    return handle_.get();
}

void TFont::Changed() {
    if (OnChange)
        OnChange(this);
}
