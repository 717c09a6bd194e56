#include "framework/ui/Memo.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

namespace {
// The lines as the edit window shows them: joined by CR LF, without a line
// break after the last one (which would show as one more empty line).
std::string JoinLines(const TStringList& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.Lines().size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines.Lines()[i];
    }
    return text;
}

UINT EdgeOf(TBevelCut cut, bool outer) {
    switch (cut) {
    case bvLowered:
        return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    case bvRaised:
        return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    default:
        return 0;
    }
}
} // namespace

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    SetControlStyle({csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    lines_.SetTarget({nullptr, nullptr, [this] { PutLinesIntoWindow(); }});
}

TMemo::~TMemo() {
    lines_.SetTarget({});
}

void TMemo::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    switch (alignment_) {
    case taRightJustify:
        params.Style |= ES_RIGHT;
        break;
    case taCenter:
        params.Style |= ES_CENTER;
        break;
    default:
        params.Style |= ES_LEFT;
        break;
    }
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
        params.Style |= WS_HSCROLL;
    if (!wordWrap_)
        params.Style |= ES_AUTOHSCROLL;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::CreateWnd() {
    TWinControl::CreateWnd();
    PutLinesIntoWindow();
    if (bevelKind_ != bkNone)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TMemo::PutLinesIntoWindow() {
    if (!HandleAllocated())
        return;
    puttingLines_ = true;
    SetWindowTextA(Handle(), JoinLines(lines_.Strings()).c_str());
    puttingLines_ = false;
}

std::string TMemo::GetTextBuf() const {
    return HandleAllocated() ? TWinControl::GetTextBuf() : JoinLines(lines_.Strings());
}

void TMemo::SetTextBuf(const std::string& text) {
    if (GetTextBuf() == text)
        return;
    lines_.SetText(text);
    Perform(CM_TEXTCHANGED);
}

void TMemo::CNCommand(TMessage& message) {
    if (HIWORD(message.WParam) != EN_CHANGE)
        return;
    // The user typed: the window holds the truth, the list follows it.
    if (!puttingLines_)
        lines_.SetTextQuietly(TWinControl::GetTextBuf());
    if (OnChange)
        OnChange(this);
}

void TMemo::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    SetBkColor(dc, ColorToColorRef(Color()));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

void TMemo::StyleChanged() {
    RecreateWnd();
}

void TMemo::SetAlignment(TAlignment alignment) {
    if (alignment_ == alignment)
        return;
    alignment_ = alignment;
    StyleChanged();
}

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars_ == scrollBars)
        return;
    scrollBars_ = scrollBars;
    StyleChanged();
}

void TMemo::SetWordWrap(bool wordWrap) {
    if (wordWrap_ == wordWrap)
        return;
    wordWrap_ = wordWrap;
    StyleChanged();
}

void TMemo::SetReadOnly(bool readOnly) {
    if (readOnly_ == readOnly)
        return;
    readOnly_ = readOnly;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TMemo::SetBorderStyle(TBorderStyle style) {
    if (style != bsNone)
        style = bsSingle;
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    StyleChanged();
}

void TMemo::SetBevelInner(TBevelCut cut) {
    if (bevelInner_ == cut)
        return;
    bevelInner_ = cut;
    StyleChanged();
}

void TMemo::SetBevelOuter(TBevelCut cut) {
    if (bevelOuter_ == cut)
        return;
    bevelOuter_ = cut;
    StyleChanged();
}

void TMemo::SetBevelKind(TBevelKind kind) {
    if (bevelKind_ == kind)
        return;
    bevelKind_ = kind;
    StyleChanged();
}

void TMemo::SetBevelEdges(TBevelEdges edges) {
    if (bevelEdges_ == edges)
        return;
    bevelEdges_ = edges;
    StyleChanged();
}

int TMemo::BevelWidth() const {
    if (bevelKind_ == bkNone)
        return 0;
    return (bevelInner_ != bvNone ? 1 : 0) + (bevelOuter_ != bvNone ? 1 : 0);
}

void TMemo::PaintBevel() {
    int width = BevelWidth();
    if (width == 0 || !HandleAllocated())
        return;
    HWND window = Handle();
    HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    RECT r{};
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    UINT sides = (bevelEdges_.Contains(beLeft) ? BF_LEFT : 0) |
                 (bevelEdges_.Contains(beTop) ? BF_TOP : 0) |
                 (bevelEdges_.Contains(beRight) ? BF_RIGHT : 0) |
                 (bevelEdges_.Contains(beBottom) ? BF_BOTTOM : 0);
    UINT kind = bevelKind_ == bkSoft ? BF_SOFT : bevelKind_ == bkFlat ? BF_FLAT : 0;
    // Outer cut on the outermost ring, inner cut one pixel inside it.
    for (bool outer : {true, false}) {
        TBevelCut cut = outer ? bevelOuter_ : bevelInner_;
        if (cut == bvNone)
            continue;
        if (cut == bvSpace)
            FrameRect(dc, &r, ColorBrush());
        else
            DrawEdge(dc, &r, EdgeOf(cut, outer), sides | kind);
        InflateRect(&r, -1, -1);
    }
    ReleaseDC(window, dc);
}

void TMemo::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        int width = BevelWidth();
        if (width > 0) {
            RECT* r = message.WParam
                          ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                          : reinterpret_cast<RECT*>(message.LParam);
            if (bevelEdges_.Contains(beLeft))
                r->left += width;
            if (bevelEdges_.Contains(beTop))
                r->top += width;
            if (bevelEdges_.Contains(beRight))
                r->right -= width;
            if (bevelEdges_.Contains(beBottom))
                r->bottom -= width;
        }
        DefaultHandler(message);
        return;
    }
    case WM_NCPAINT:
        DefaultHandler(message);
        PaintBevel();
        return;
    default:
        TWinControl::WndProc(message);
    }
}
