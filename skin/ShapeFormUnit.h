// TOvalynShapeForm: a top-level window whose look and outline come from one skin
// picture. It has no border or caption bar, takes the size of its skin, cuts every
// pixel of InvisibleColor out of its window, shows the skin as its whole face, and a
// left-button press anywhere on it drags the window. Applications derive their forms
// from it; the glass form does too.
#pragma once

#include <memory>

#include "framework/portable/Color.h"
#include "framework/ui/Form.h"

class TOvalynSkin;

class TOvalynShapeForm : public TForm {
public:
    // Creates the window (through shapeIt), without a region while the skin is empty.
    explicit TOvalynShapeForm(TComponent* owner);
    ~TOvalynShapeForm() override;
    const char* ClassName() const override { return "TOvalynShapeForm"; }

    // The skin colour cut out of the window. Changing it alone does nothing: it takes
    // effect the next time shapeIt runs (the next change of the skin).
    TColor InvisibleColor = clWhite;
    // A left-button press on the form drags the window.
    bool DragByMouse = true;

    // The form's picture and shape, owned by the form. Load or assign pictures into it;
    // every change of its picture reshapes the form.
    TOvalynSkin* Skin() const { return skin_.get(); }

    // Brings size, region and face in line with the skin; an empty skin gives the
    // window its full rectangle back. Sender is not looked at.
    virtual void shapeIt(TObject* sender);

protected:
    // Gives a (re)created window the skin's region again, unless the form is still
    // being read from its stored layout.
    void CreateWnd() override;
    // Once a derived form's layout is built: no border again, whatever the layout
    // set, and the skin's outline on the window (a border change during the layout
    // re-created the window while reading, which left it without its region).
    void Loaded() override;
    // OnPaint, then the skin at (0, 0): the skin covers whatever OnPaint drew.
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // The window background is never erased: the skin covers the face.
    void WMEraseBkgnd(TMessage& message) override;

private:
    void ApplySkinRegion(const char* failureMessage);

    std::unique_ptr<TOvalynSkin> skin_;
};
