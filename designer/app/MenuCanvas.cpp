#include "designer/app/MenuCanvas.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "designer/app/DocumentMenuContent.h"
#include "framework/runtime/Exceptions.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Panel.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

namespace {

constexpr int kFrameWidth = 2;
constexpr TColor kShownFrame = 0x0080FF;  // orange
constexpr TColor kHiddenFrame = 0x808080; // grey: the launcher does not show it now

int32_t LittleInt(const std::vector<uint8_t>& bytes, size_t at, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    if (size == 2)
        return static_cast<int16_t>(value);
    return static_cast<int32_t>(value);
}

bool IsPointerMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL &&
           message != 0x020E /* WM_MOUSEHWHEEL */;
}

} // namespace

TMenuCanvas::TMenuCanvas(TComponent* owner, DesignDocument& document)
    : TCustomControl(owner), document_(document) {
    SetColor(clBtnShadow);
    for (TPanel*& strip : frame_) {
        strip = new TPanel(this);
        strip->SetParent(this);
        strip->SetBevelOuter(bvNone);
        strip->SetTabStop(false);
        strip->SetVisible(false);
    }
}

TMenuCanvas::~TMenuCanvas() {
    // The menu's controls go before the canvas's own windows.
    surface_.reset();
}

void TMenuCanvas::Rebuild() {
    AbortDrag();
    // The menu is built on a surface not shown yet, as the launcher builds it
    // on a form not yet shown: nothing is painted until it is whole.
    auto surface = std::make_unique<TCustomControl>(nullptr);
    surface->SetColor(Color());
    surface->SetVisible(false);
    surface->SetParent(this);
    controls_ = CreateMenuControls(surface.get(), surface.get());
    for (TOvalynShapeButton* button : controls_.Buttons)
        button->SetTabStop(false);
    controls_.CheckBox->SetTabStop(false);
    controls_.Notice->SetTabStop(false);
    controls_.Options->SetTabStop(false);
    buildError_.clear();
    try {
        TDocumentMenuContent content(document_.Menu());
        LoadMenuBackground(controls_, content);
        BuildMenuControls(controls_, content, document_.Mode() == MenuMode::Launch, 0);
    } catch (const Exception& error) {
        buildError_ = error.Message();
    } catch (const std::exception& error) {
        buildError_ = error.what();
    }
    const int width = controls_.Background->Width(), height = controls_.Background->Height();
    surface->SetBounds(0, 0, width, height);
    SetBounds(Left(), Top(), width, height);
    // The old menu goes first, so the new one is the only one painted.
    surface_.reset();
    surface_ = std::move(surface);
    surface_->SetVisible(true);
    UpdateFrame();
}

void TMenuCanvas::DocumentChanged(const DesignChange& change) {
    constexpr uint32_t rebuilding = DesignChange::All | DesignChange::Options |
                                    DesignChange::Pictures | DesignChange::Notice |
                                    DesignChange::Mode;
    bool rebuild = (change.what & rebuilding) != 0;
    std::vector<ElementId> moved;
    if (!rebuild && change.Has(DesignChange::Lines)) {
        for (int line : change.lines) {
            const ElementId id = ElementOfLine(line);
            const auto left = LeftLine(id), top = TopLine(id);
            const bool place = (left && LineOf(*left) == line) || (top && LineOf(*top) == line);
            if (!place) {
                rebuild = true;
                break;
            }
            if (std::find(moved.begin(), moved.end(), id) == moved.end())
                moved.push_back(id);
        }
    }
    if (rebuild) {
        Rebuild();
        return;
    }
    for (ElementId id : moved)
        PlaceElement(id);
    if (!moved.empty() || change.Has(DesignChange::Selection))
        UpdateFrame();
}

void TMenuCanvas::PlaceElement(ElementId id) {
    const auto place = ElementPosition(document_.Menu(), id);
    if (!place || !surface_)
        return;
    // What the launcher does with the lines: buttons at 16-bit places, the
    // others where the number says.
    const int x = static_cast<int>(std::clamp<int64_t>(place->x, INT32_MIN, INT32_MAX));
    const int y = static_cast<int>(std::clamp<int64_t>(place->y, INT32_MIN, INT32_MAX));
    TControl* control = nullptr;
    if (IsButton(id))
        control = controls_.Buttons[ButtonGroup(id) - 1];
    else if (id == ElementId::CheckBox)
        control = controls_.CheckBox;
    else if (id == ElementId::Options)
        control = controls_.Options;
    else if (id == ElementId::Notice)
        control = controls_.Notice;
    if (control)
        control->SetBounds(x, y, control->Width(), control->Height());
}

TSize TMenuCanvas::PictureSize(int entry) const {
    const std::vector<uint8_t>& bytes =
        document_.Menu().Picture(PictureAt(entry - kFirstPictureEntry)).bytes;
    if (bytes.size() < 26)
        return {0, 0};
    const int32_t header = LittleInt(bytes, 14, 4);
    if (header == 12)
        return {LittleInt(bytes, 18, 2), std::abs(LittleInt(bytes, 20, 2))};
    return {LittleInt(bytes, 18, 4), std::abs(LittleInt(bytes, 22, 4))};
}

TRect TMenuCanvas::ElementRect(ElementId id) const {
    if (id == ElementId::None || !surface_)
        return {};
    const MenuDocument& menu = document_.Menu();
    const auto place = ElementPosition(menu, id);
    if (!place)
        return {};
    const int x = static_cast<int>(std::clamp<int64_t>(place->x, -100000, 100000));
    const int y = static_cast<int>(std::clamp<int64_t>(place->y, -100000, 100000));
    TSize size{0, 0};
    if (IsButton(id)) {
        size = PictureSize(4);
    } else if (id == ElementId::CheckBox) {
        size = PictureSize(7);
    } else if (id == ElementId::Options) {
        size = {controls_.Options->Width(), controls_.Options->Height()};
    } else if (id == ElementId::Notice) {
        const bool built = controls_.Notice->Visible();
        size = built ? TSize{controls_.Notice->Width(), controls_.Notice->Height()} : TSize{0, 0};
        if (!built) // not built in this mode: the size its lines give
            size = {static_cast<int>(std::clamp<long long>(
                        std::atoll(menu.Text(SettingId::NoticeWidth).c_str()), 0, 100000)),
                    static_cast<int>(std::clamp<long long>(
                        std::atoll(menu.Text(SettingId::NoticeHeight).c_str()), 0, 100000))};
    }
    return {x, y, x + std::max(size.cx, 1), y + std::max(size.cy, 1)};
}

ElementId TMenuCanvas::ElementAt(int x, int y) const {
    // Top-most first: the option list and the check box were made last.
    static constexpr ElementId order[] = {
        ElementId::Options, ElementId::Notice,  ElementId::CheckBox, ElementId::Button10,
        ElementId::Button9, ElementId::Button8, ElementId::Button7,  ElementId::Button6,
        ElementId::Button5, ElementId::Web,     ElementId::Launch,   ElementId::Quit,
        ElementId::Install};
    for (ElementId id : order) {
        if (!ElementShown(document_.Menu(), id, document_.Mode()))
            continue;
        const TRect r = ElementRect(id);
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return id;
    }
    return ElementId::None;
}

void TMenuCanvas::UpdateFrame() {
    const ElementId id = document_.Selection();
    // Also an element the launcher leaves out in this mode: grey, at its place.
    const bool framed = id != ElementId::None;
    if (!framed) {
        for (TPanel* strip : frame_)
            strip->SetVisible(false);
        return;
    }
    const TRect r = ElementRect(id);
    const TColor colour =
        ElementShown(document_.Menu(), id, document_.Mode()) ? kShownFrame : kHiddenFrame;
    const int w = kFrameWidth;
    const TRect strips[4] = {{r.Left - w, r.Top - w, r.Right + w, r.Top},
                             {r.Left - w, r.Bottom, r.Right + w, r.Bottom + w},
                             {r.Left - w, r.Top, r.Left, r.Bottom},
                             {r.Right, r.Top, r.Right + w, r.Bottom}};
    for (int i = 0; i < 4; ++i) {
        TPanel* strip = frame_[i];
        strip->SetColor(colour);
        strip->SetBounds(strips[i].Left, strips[i].Top, strips[i].Width(), strips[i].Height());
        strip->SetVisible(true);
        // Above the menu's own windows, which were made after the strips.
        SetWindowPos(strip->Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // A moved element may have painted over the strip.
        RedrawWindow(strip->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

bool TMenuCanvas::OnCanvas(HWND window) {
    if (!HandleAllocated() || !window)
        return false;
    return window == Handle() || IsChild(Handle(), window);
}

bool TMenuCanvas::FilterMessage(MSG& msg) {
    if (IsPointerMessage(msg.message) && OnCanvas(msg.hwnd)) {
        POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        MapWindowPoints(msg.hwnd, Handle(), &at, 1);
        switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDownAt(at.x, at.y);
            break;
        case WM_MOUSEMOVE:
            MouseMoveTo(at.x, at.y);
            break;
        case WM_LBUTTONUP:
            MouseUpAt();
            break;
        default:
            break;
        }
        return true;
    }
    if (msg.message == WM_KEYDOWN && HandleAllocated() && msg.hwnd == Handle())
        return KeyDown(msg.wParam);
    if (msg.message == WM_KEYUP && HandleAllocated() && msg.hwnd == Handle())
        return true;
    return false;
}

void TMenuCanvas::MouseDownAt(int x, int y) {
    ::SetFocus(Handle());
    const ElementId id = ElementAt(x, y);
    document_.Select(id);
    if (id == ElementId::None)
        return;
    action_ = Action::Pressed;
    pressedAt_ = {x, y};
    startPlace_ = ElementPosition(document_.Menu(), id).value_or(ElementPoint{});
    SetCapture(Handle());
}

void TMenuCanvas::MouseMoveTo(int x, int y) {
    if (action_ == Action::None)
        return;
    if (action_ == Action::Pressed) {
        if (x == pressedAt_.x && y == pressedAt_.y)
            return;
        document_.BeginDrag(document_.Selection());
        action_ = Action::Dragging;
    }
    document_.DragTo({startPlace_.x + (x - pressedAt_.x), startPlace_.y + (y - pressedAt_.y)});
}

void TMenuCanvas::MouseUpAt() {
    const Action was = action_;
    // Before the capture ends: losing it otherwise counts as an abandoned drag.
    action_ = Action::None;
    if (GetCapture() == Handle())
        ReleaseCapture();
    if (was == Action::Dragging)
        document_.EndDrag();
}

void TMenuCanvas::AbortDrag() {
    const Action was = action_;
    action_ = Action::None;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    if (was == Action::Dragging && document_.Dragging())
        document_.CancelDrag();
}

bool TMenuCanvas::KeyDown(WPARAM key) {
    if (key == VK_ESCAPE) {
        AbortDrag();
        return true;
    }
    int dx = 0, dy = 0;
    switch (key) {
    case VK_LEFT:
        dx = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    default:
        return false;
    }
    const ElementId id = document_.Selection();
    if (id == ElementId::None || action_ != Action::None)
        return true;
    const int step = GetKeyState(VK_SHIFT) < 0 ? 10 : 1;
    document_.Nudge(id, dx * step, dy * step);
    return true;
}

void TMenuCanvas::WndProc(TMessage& message) {
    if (message.Msg == WM_CAPTURECHANGED && action_ != Action::None &&
        reinterpret_cast<HWND>(message.LParam) != Handle())
        AbortDrag();
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS;
        return;
    }
    TCustomControl::WndProc(message);
}
