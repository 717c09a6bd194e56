#include "framework/graphics/Canvas.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphic.h"
#include "framework/runtime/Exceptions.h"

// ---- TBrush ----------------------------------------------------------------

void TBrush::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBrush*>(source)) {
        color_ = other->color_;
        style_ = other->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (stale_ || !handle_) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToColorRef(color_);
        switch (style_) {
        case bsSolid:
            lb.lbStyle = BS_SOLID;
            break;
        case bsClear:
            lb.lbStyle = BS_HOLLOW;
            break;
        default:
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal); // HS_HORIZONTAL ...
            break;
        }
        handle_.reset(::CreateBrushIndirect(&lb));
        stale_ = false;
    }
    return handle_.get();
}

void TBrush::Changed() {
    stale_ = true;
    if (OnChange)
        OnChange(this);
}

// ---- TPen ------------------------------------------------------------------

void TPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPen*>(source)) {
        color_ = other->color_;
        width_ = other->width_;
        style_ = other->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == width_ || width < 0)
        return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

HPEN TPen::Handle() {
    if (stale_ || !handle_) {
        static const int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                      PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.reset(::CreatePen(kStyles[style_], width_, ColorToColorRef(color_)));
        stale_ = false;
    }
    return handle_.get();
}

void TPen::Changed() {
    stale_ = true;
    if (OnChange)
        OnChange(this);
}

// ---- TCanvas ---------------------------------------------------------------

// A change of a tool may replace its GDI object, so the canvas puts the DC's
// own objects back first; the next use selects the new ones.

TCanvas::TCanvas() {
    font_.OnChange = [this](TObject*) { DeselectTools(); };
    brush_.OnChange = [this](TObject*) { DeselectTools(); };
    pen_.OnChange = [this](TObject*) { DeselectTools(); };
}

TCanvas::TCanvas(HDC borrowedDc) : TCanvas() {
    dc_ = borrowedDc;
}

TCanvas::TCanvas(MemoryDc ownedDc) : TCanvas() {
    dc_ = ownedDc.get();
    ownedDc_ = std::move(ownedDc);
}

TCanvas::TCanvas(WindowDc ownedDc) : TCanvas() {
    dc_ = ownedDc.get();
    ownedDc_ = std::move(ownedDc);
}

TCanvas::~TCanvas() {
    DeselectTools();
}

void TCanvas::ReleaseDc() {
    DeselectTools();
    ownedDc_ = std::monostate{};
    dc_ = nullptr;
}

void TCanvas::SetHandle(HDC borrowedDc) {
    if (borrowedDc == dc_ && std::holds_alternative<std::monostate>(ownedDc_))
        return;
    ReleaseDc();
    dc_ = borrowedDc;
}

void TCanvas::SelectTools() {
    if (!oldFont_) {
        oldFont_ = ::SelectObject(dc_, font_.Handle());
        oldBrush_ = ::SelectObject(dc_, brush_.Handle());
        oldPen_ = ::SelectObject(dc_, pen_.Handle());
    }
    ::SetTextColor(dc_, ColorToColorRef(font_.Color()));
    ::SetBkColor(dc_, ColorToColorRef(brush_.Color()));
    ::SetBkMode(dc_, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::DeselectTools() {
    if (!dc_ || !oldFont_)
        return;
    ::SelectObject(dc_, oldFont_);
    ::SelectObject(dc_, oldBrush_);
    ::SelectObject(dc_, oldPen_);
    oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

HDC TCanvas::Handle() {
    if (!dc_)
        throw EInvalidOperation("Leinwand/Bild erlaubt kein Zeichnen");
    SelectTools();
    return dc_;
}

void TCanvas::FillRect(const TRect& rect) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::FillRect(Handle(), &r, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::FrameRect(Handle(), &r, brush_.Handle());
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    ::Rectangle(Handle(), x1, y1, x2, y2);
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    ::MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    ::LineTo(Handle(), x, y);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (graphic.Empty())
        return;
    graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
    if (graphic.Empty())
        return;
    graphic.Draw(*this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect) {
    HDC target = Handle();
    HDC from = source.Handle();
    if (dest.Width() == srcRect.Width() && dest.Height() == srcRect.Height())
        ::BitBlt(target, dest.Left, dest.Top, dest.Width(), dest.Height(), from, srcRect.Left,
                 srcRect.Top, copyMode_);
    else
        ::StretchBlt(target, dest.Left, dest.Top, dest.Width(), dest.Height(), from, srcRect.Left,
                     srcRect.Top, srcRect.Width(), srcRect.Height(), copyMode_);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    HDC dc = Handle();
    ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    ::MoveToEx(dc, x + TextWidth(text), y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    UINT options = ETO_CLIPPED | (brush_.Style() == bsSolid ? ETO_OPAQUE : 0);
    ::ExtTextOutA(Handle(), x, y, options, &r, text.data(), static_cast<UINT>(text.size()),
                  nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    ::GetTextExtentPoint32A(Handle(), text.data(), static_cast<int>(text.size()), &size);
    return TSize{size.cx, size.cy};
}

TRect TCanvas::ClipRect() {
    RECT r{};
    ::GetClipBox(Handle(), &r);
    return TRect{r.left, r.top, r.right, r.bottom};
}

TColor TCanvas::Pixels(int x, int y) {
    return static_cast<TColor>(::GetPixel(Handle(), x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    ::SetPixel(Handle(), x, y, ColorToColorRef(color));
    Changed();
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}
