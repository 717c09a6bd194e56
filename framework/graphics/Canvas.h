// TCanvas: drawing on a device context with a brush, a pen and a font.
// The canvas owns its TBrush, TPen and TFont; assigning to them copies.
#pragma once

#include <windows.h>
// The member TextOut below is the canvas operation, not the Win32 macro.
#undef TextOut

#include <string>
#include <variant>

#include "framework/graphics/Font.h"
#include "framework/graphics/NotifyEvent.h"
#include "framework/portable/Color.h"
#include "framework/portable/Types.h"
#include "framework/win32/Handles.h"

class TGraphic;

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TPersistent {
public:
    TBrush() = default;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    const char* ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // Owned HBRUSH made on demand (a hollow brush for bsClear).
    HBRUSH Handle();

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    BrushHandle handle_;
    bool stale_ = true;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TPersistent {
public:
    TPen() = default;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;
    const char* ClassName() const override { return "TPen"; }
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle();

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    PenHandle handle_;
    bool stale_ = true;
};

// Raster operations for CopyRect.
using TCopyMode = DWORD;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmSrcInvert = SRCINVERT;

class TCanvas : public TPersistent {
public:
    // A canvas without a DC: Handle() raises EInvalidOperation until one is set.
    TCanvas();
    // Borrows dc: the caller keeps it alive and frees it after the canvas.
    explicit TCanvas(HDC borrowedDc);
    // Owns the DC and frees it with the canvas.
    explicit TCanvas(MemoryDc ownedDc);
    explicit TCanvas(WindowDc ownedDc);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    const char* ClassName() const override { return "TCanvas"; }

    // The DC with the canvas's font, pen and brush selected into it, ready for
    // direct GDI calls (DrawTextA, ...). Raises EInvalidOperation
    // ("Leinwand/Bild erlaubt kein Zeichnen") when there is none.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Replaces the DC by a borrowed one (nullptr detaches); an owned DC is freed.
    void SetHandle(HDC borrowedDc);

    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }
    TFont& Font() { return font_; }
    void SetFont(TFont& font) { font_.Assign(&font); }

    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }

    // Drawing. Each operation ends in Changed() (OnChange).
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const TRect& rect, TGraphic& graphic);
    // Copies srcRect of source onto dest (stretching when the sizes differ)
    // with CopyMode.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& rect, int x, int y, const std::string& text);

    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // The clipping box of the DC (GetClipBox): for a bitmap its whole area,
    // for a screen DC the whole screen.
    TRect ClipRect();

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Sent after every drawing operation; a bitmap hooks it to learn of
    // drawing on its surface.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    void SelectTools();
    void DeselectTools();
    void ReleaseDc();

    HDC dc_ = nullptr;
    std::variant<std::monostate, MemoryDc, WindowDc> ownedDc_;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    TCopyMode copyMode_ = cmSrcCopy;
    // What the DC held before the tools were selected, put back on deselect.
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
};
