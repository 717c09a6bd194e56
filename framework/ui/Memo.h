// TMemo: a multi-line text box over the standard EDIT window.
#pragma once

#include "framework/ui/Bevel.h"
#include "framework/ui/BorderStyle.h"
#include "framework/ui/ControlStrings.h"
#include "framework/ui/WinControl.h"

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    const char* ClassName() const override { return "TMemo"; }

    // The lines (owned). They live in the object and are put into the window
    // whenever it is (re)created.
    TControlStrings* Lines() { return &lines_; }
    void SetLines(const TStringList& lines) { lines_.Assign(lines); }
    void Clear() { lines_.Clear(); }

    // Style properties: changing one on a live window creates it again.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    // Off: lines scroll sideways instead of wrapping (ES_AUTOHSCROLL).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // The edge drawn around the text (inside the window, around its client
    // area): BevelKind chooses the drawing, BevelInner/BevelOuter the cuts.
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind kind);
    TBevelEdges BevelEdges() const { return bevelEdges_; }
    void SetBevelEdges(TBevelEdges edges);
    // The width of the edge on each side in pixels.
    int BevelWidth() const;

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::string GetTextBuf() const override;
    void SetTextBuf(const std::string& text) override;
    void CNCommand(TMessage& message) override;
    void CNCtlColor(TMessage& message) override;

private:
    void StyleChanged();
    void PutLinesIntoWindow();
    void PaintBevel();

    TControlStrings lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    TBevelCut bevelInner_ = bvRaised;
    TBevelCut bevelOuter_ = bvLowered;
    TBevelKind bevelKind_ = bkNone;
    TBevelEdges bevelEdges_{beLeft, beTop, beRight, beBottom};
    bool puttingLines_ = false;
};
