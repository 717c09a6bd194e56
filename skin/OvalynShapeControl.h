// TOvalynShapeControl: the base of the library's shaped windowed controls. The
// control's window exists only where the pixels of Mask differ from
// InvisibleColor: a skin computes the region from the mask and the window
// keeps it. The control also holds what descendants need to draw a caption
// over a picture, a picture for the disabled state, and the operations that
// save and load its look to and from a skin folder ("coord.ini" plus picture
// files, one section and one set of files per control Name).
//
// The same unit declares the library's exception class.
#pragma once

#include <memory>
#include <string>

#include "framework/portable/Color.h"
#include "framework/runtime/Exceptions.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/TextAlignment.h"

class TBitmap;
class TFont;
class TOvalynSkin;

// Raised when one of the library's platform calls fails; carries its message only.
OVALYN_DECLARE_EXCEPTION(OvalynShapeException, Exception);

class TOvalynShapeControl : public TCustomControl {
public:
    explicit TOvalynShapeControl(TComponent* owner);
    ~TOvalynShapeControl() override;
    const char* ClassName() const override { return "TOvalynShapeControl"; }

    // Setters of caption placement store and repaint, even an equal value.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

    // The caption font while disabled (owned); the setter copies and repaints.
    TFont* DisabledFont() const { return disabledFont_.get(); }
    void SetDisabledFont(TFont* font);

    // A new value reshapes the window at once; an equal value does nothing.
    TColor InvisibleColor() const { return invisibleColor_; }
    void SetInvisibleColor(TColor color);

    // The owned mask. Every change of it (through SetMask, loading, resizing,
    // drawing on it) reshapes the window. SetMask copies the picture (nullptr
    // empties the mask).
    TBitmap* Mask() const { return mask_.get(); }
    virtual void SetMask(TBitmap* mask);

    // Copies the picture; no repaint (it shows at the next paint).
    TBitmap* DisabledBmp() const { return disabledBmp_.get(); }
    void SetDisabledBmp(TBitmap* bitmap);

    // Brings the window's region in line with the mask, creating the window
    // when needed (which needs a parent). Sender is not looked at.
    void shapeIt(TObject* sender);

    // Skin folders. A relative folder lies in the executable's folder.
    // SaveSkin writes both pictures and the section's base keys; LoadSkin
    // reads them back (missing files and keys give defaults) and applies them.
    virtual void SaveSkin(const std::string& folder);
    virtual void LoadSkin(const std::string& folder);
    // One group of seven font keys whose names begin with prefix.
    void WriteFontKeys(const std::string& folder, const std::string& prefix, TFont& font);
    // Reads a group into font: name and size replace, styles can only be
    // added, a missing colour key makes the font black.
    void ReadFontKeys(const std::string& folder, const std::string& prefix, TFont& font);
    // The "Font" group into Font, the "DisabledFont" group into DisabledFont.
    void LoadFonts(const std::string& folder);

    // "left", "right", "center" / "top", "center", "bottom". Reading lower-cases
    // the word; an unknown alignment is left, an unknown layout is centre.
    std::string AlignmentText() const;
    void SetAlignmentText(const std::string& text);
    std::string LayoutText() const;
    void SetLayoutText(const std::string& text);

protected:
    // Gives a created or re-created window the kept region again (not while
    // the control is read from a stored layout: the streamed mask does it).
    void CreateWnd() override;
    // Draws Caption onto target with a transparent background, inset by
    // Margin, aligned and laid out; the vertical offsets use the control's Height.
    void DrawCaption(TBitmap& target);
    // The folder as the skin-folder operations use it.
    static std::string ResolveFolder(const std::string& folder);

private:
    void ApplyRegion(const char* failureMessage);

    TAlignment alignment_ = taCenter;
    TColor invisibleColor_ = clWhite;
    std::unique_ptr<TOvalynSkin> skin_;
    bool wordWrap_ = false;
    std::unique_ptr<TFont> disabledFont_;
    int margin_ = 0;
    TTextLayout layout_ = tlCenter;
    std::unique_ptr<TBitmap> mask_;
    std::unique_ptr<TBitmap> disabledBmp_;
};

// True unless the 2nd and 3rd characters are ":\" (a drive-letter path).
bool IsRelativePath(const std::string& path);
// Loads basePath + ".bmp", else decodes basePath + ".jpg" onto the bitmap
// (width, then height, then the drawing), else empties it (width 0, height 0).
void LoadPictureFile(TBitmap& bitmap, const std::string& basePath);
// Six upper-case hexadecimal digits, red first, of the colour's RGB value.
std::string ColorToHexText(TColor color);
// Pairs of digits for red, green and blue; missing pairs are empty (so "FF"
// is red and "" black). Non-hexadecimal text raises EConvertError.
TColor HexTextToColor(const std::string& text);
