// The designer's canvas: the menu as the launcher builds it (the launcher's
// own construction code on the document's configuration and pictures), a
// selection frame drawn over it, and the select tool: a click selects an
// element, a drag moves it (one undo step), the arrow keys nudge it (1 pixel,
// 10 with Shift), Escape abandons a drag. The menu's own controls never see
// the pointer or the keys: the canvas takes them first (FilterMessage), so
// buttons neither press nor act.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "designer/model/DesignDocument.h"
#include "framework/ui/CustomControl.h"
#include "launcher/MenuConstruction.h"

class TPanel;

class TMenuCanvas : public TCustomControl {
public:
    TMenuCanvas(TComponent* owner, DesignDocument& document);
    ~TMenuCanvas() override;
    const char* ClassName() const override { return "TMenuCanvas"; }

    // Builds the menu anew from the document in the mode it shows; a menu
    // the launcher could not build keeps what was built before the failure
    // and the reason in BuildError().
    void Rebuild();
    const std::string& BuildError() const { return buildError_; }
    // Follows a change of the document: only places changed are moved (the
    // fast road of a drag); anything else rebuilds.
    void DocumentChanged(const DesignChange& change);

    // The element's rectangle on the canvas; hidden elements (and those the
    // launcher leaves out in this mode) get their place from the document
    // and their picture's size. Empty for None.
    TRect ElementRect(ElementId id) const;
    // The top-most element the launcher shows at (x, y) on the canvas, or None.
    ElementId ElementAt(int x, int y) const;
    // The menu's components as built (for tests and the benchmark).
    const TMenuControls& MenuControls() const { return controls_; }

    // Pointer and key messages for the canvas or the menu on it: handled
    // here, true. Others: false.
    bool FilterMessage(MSG& msg);

    // A capture lost in a drag abandons it; the arrow keys are the canvas's.
    void WndProc(TMessage& message) override;

private:
    enum class Action { None, Pressed, Dragging };

    bool OnCanvas(HWND window);
    void MouseDownAt(int x, int y);
    void MouseMoveTo(int x, int y);
    void MouseUpAt();
    bool KeyDown(WPARAM key);
    void AbortDrag();
    void PlaceElement(ElementId id);
    void UpdateFrame();
    TSize PictureSize(int entry) const;

    DesignDocument& document_;
    // The menu's components are owned by the surface they are shown on, a
    // child of the canvas replaced on every rebuild.
    std::unique_ptr<TCustomControl> surface_;
    TMenuControls controls_;
    std::string buildError_;
    std::array<TPanel*, 4> frame_{}; // top, bottom, left, right; owned by the canvas
    Action action_ = Action::None;
    POINT pressedAt_{};
    ElementPoint startPlace_;
};
