#include "designer/app/CanvasHost.h"

#include <windows.h>

#include <algorithm>

namespace {
constexpr int kLine = 32;
} // namespace

void TCanvasHost::CreateParams(TCreateParams& params) {
    TPanel::CreateParams(params);
    params.Style |= WS_HSCROLL | WS_VSCROLL;
}

void TCanvasHost::UpdateScrollBars() {
    if (!content_ || !HandleAllocated())
        return;
    for (int bar : {SB_HORZ, SB_VERT}) {
        RECT client{};
        GetClientRect(Handle(), &client);
        const int page = bar == SB_HORZ ? client.right : client.bottom;
        const int size = bar == SB_HORZ ? content_->Width() : content_->Height();
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = std::max(size - 1, 0);
        info.nPage = static_cast<UINT>(std::max(page, 0));
        SetScrollInfo(Handle(), bar, &info, TRUE);
        // The range may have shrunk under the place shown.
        ScrollTo(bar, GetScrollPos(Handle(), bar));
    }
}

void TCanvasHost::ScrollTo(int bar, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), bar, &info);
    const int last = std::max(info.nMax - static_cast<int>(info.nPage) + 1, 0);
    position = std::clamp(position, 0, last);
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(Handle(), bar, &info, TRUE);
    if (bar == SB_HORZ)
        content_->SetLeft(-position);
    else
        content_->SetTop(-position);
}

void TCanvasHost::Scroll(int bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), bar, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= kLine;
        break;
    case SB_LINEDOWN:
        position += kLine;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    ScrollTo(bar, position);
}

void TCanvasHost::WndProc(TMessage& message) {
    if (content_ && HandleAllocated()) {
        switch (message.Msg) {
        case WM_HSCROLL:
            Scroll(SB_HORZ, LOWORD(message.WParam));
            message.Result = 0;
            return;
        case WM_VSCROLL:
            Scroll(SB_VERT, LOWORD(message.WParam));
            message.Result = 0;
            return;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
            const int bar = (GET_KEYSTATE_WPARAM(message.WParam) & MK_SHIFT) ? SB_HORZ : SB_VERT;
            ScrollTo(bar, GetScrollPos(Handle(), bar) - notches * 3 * kLine);
            message.Result = 0;
            return;
        }
        default:
            break;
        }
    }
    TPanel::WndProc(message);
    if (message.Msg == WM_SIZE)
        UpdateScrollBars();
}
