#include "framework/ui/Label.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/ui/WinControl.h"
#include "framework/win32/Handles.h"

namespace {
// An empty caption still measures one line high, so an auto-sized label
// keeps its row in a layout.
std::string MeasuredText(const std::string& text) {
    return text.empty() ? std::string(" ") : text;
}
} // namespace

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetColor(clBtnFace);
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment_ == alignment)
        return;
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout_ == layout)
        return;
    layout_ = layout;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    AdjustSize();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap_ == wordWrap)
        return;
    wordWrap_ = wordWrap;
    AdjustSize();
    Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent_ == transparent)
        return;
    transparent_ = transparent;
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
    if (focusControl_ == control)
        return;
    focusControl_ = control;
    AdjustSize();
    Invalidate();
}

char TLabel::AccessKey() const {
    if (!focusControl_)
        return 0;
    const std::string& text = Caption();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&') {
            const char key = text[i + 1];
            return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
        }
        ++i; // "&&" is a plain "&"
    }
    return 0;
}

unsigned TLabel::TextFlags() const {
    // Without a field to focus, "&" is no access-key marker: captions are
    // shown as written.
    unsigned flags = (focusControl_ ? 0u : DT_NOPREFIX) | DT_EXPANDTABS;
    flags |= alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
    return DrawTextBiDiModeFlags(flags);
}

void TLabel::AdjustSize() {
    if (!autoSize_)
        return;
    WindowDc screen = WindowDc::Client(nullptr);
    if (!screen)
        return;
    ScopedSelect font(screen.get(), Font()->Handle());
    std::string text = MeasuredText(Caption());
    RECT r{0, 0, wordWrap_ ? std::max(Width(), 1) : 0, 0};
    DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &r,
              TextFlags() | DT_CALCRECT);
    int width = wordWrap_ ? Width() : r.right - r.left;
    Invalidate();
    SetBounds(Left(), Top(), width, r.bottom - r.top);
    Invalidate();
}

void TLabel::Paint() {
    HDC dc = Canvas()->Handle();
    RECT r{0, 0, Width(), Height()};
    if (!transparent_) {
        BrushHandle background(CreateSolidBrush(ColorToColorRef(Color())));
        FillRect(dc, &r, background.get());
    }
    std::string text = Caption();
    if (text.empty())
        return;
    ScopedSelect font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToColorRef(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    unsigned flags = TextFlags();
    if (layout_ != tlTop) {
        // DrawText centres only single lines: measure and move the block.
        RECT measured = r;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
        int spare = Height() - (measured.bottom - measured.top);
        r.top += layout_ == tlCenter ? spare / 2 : spare;
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void TLabel::CMTextChanged(TMessage&) {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
    Invalidate();
}
