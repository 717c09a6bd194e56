#include "skin/OvalynShapeControl.h"

#include <cstdio>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Jpeg.h"
#include "framework/portable/Convert.h"
#include "framework/runtime/CheckedMath.h"
#include "framework/system/IniFile.h"
#include "framework/system/Paths.h"
#include "skin/OvalynSkin.h"
#include "skin/RegionCalls.h"

namespace {

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string IniFileOf(const std::string& resolvedFolder) {
    return resolvedFolder + "\\coord.ini";
}

} // namespace

// ---- construction -----------------------------------------------------------------

TOvalynShapeControl::TOvalynShapeControl(TComponent* owner)
    : TCustomControl(owner), skin_(std::make_unique<TOvalynSkin>()),
      disabledFont_(std::make_unique<TFont>()), mask_(std::make_unique<TBitmap>()),
      disabledBmp_(std::make_unique<TBitmap>()) {
    mask_->SetPixelFormat(pfDevice);
    // Construction gives no region: only a later change of the mask does.
    mask_->OnChange = [this](TObject* sender) { shapeIt(sender); };
}

TOvalynShapeControl::~TOvalynShapeControl() {
    mask_->OnChange = nullptr;
    mask_.reset();
    skin_.reset();
    disabledFont_.reset();
    disabledBmp_.reset();
}

// ---- properties ---------------------------------------------------------------------

void TOvalynShapeControl::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TOvalynShapeControl::SetLayout(TTextLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TOvalynShapeControl::SetMargin(int margin) {
    margin_ = margin;
    Invalidate();
}

void TOvalynShapeControl::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Invalidate();
}

void TOvalynShapeControl::SetDisabledFont(TFont* font) {
    disabledFont_->Assign(font);
    Invalidate();
}

void TOvalynShapeControl::SetInvisibleColor(TColor color) {
    if (color == invisibleColor_)
        return;
    invisibleColor_ = color;
    // While a stored layout is read, a colour with no mask and no window yet
    // has nothing to reshape: the window is made, without a region, when it
    // is first needed instead of by this setter.
    if (ComponentState().Contains(csReading) && mask_->Empty() && !HandleAllocated())
        return;
    shapeIt(this);
}

void TOvalynShapeControl::SetMask(TBitmap* mask) {
    mask_->Assign(mask);
}

void TOvalynShapeControl::SetDisabledBmp(TBitmap* bitmap) {
    disabledBmp_->Assign(bitmap);
}

// ---- the window's region ---------------------------------------------------------

void TOvalynShapeControl::ApplyRegion(const char* failureMessage) {
    RegionHandle region = skin_->getRegion();
    if (!RegionCalls().SetWindowRgn(Handle(), region.get(), TRUE))
        throw OvalynShapeException(failureMessage); // the region is still ours and goes
    (void)region.release();                         // the window owns it now
}

void TOvalynShapeControl::shapeIt(TObject*) {
    if (mask_->Width() > 0 && mask_->Height() > 0) {
        skin_->SetInvisibleColor(invisibleColor_);
        skin_->Assign(mask_.get());
        ApplyRegion("TOvalynShapeControl.shapeIt: SetWindowRgn failed.");
        return;
    }
    if (!RegionCalls().SetWindowRgn(Handle(), nullptr, TRUE))
        throw OvalynShapeException("TOvalynShapeControl.shapeIt: SetWindowRgn failed.");
}

void TOvalynShapeControl::CreateWnd() {
    TCustomControl::CreateWnd();
    if (ComponentState().Contains(csReading))
        return;
    // An emptied mask is not copied into the skin, whose region is then the
    // outline of the former mask: the window stays a plain rectangle.
    if (skin_->Width() > 0 && skin_->Height() > 0 && mask_->Width() > 0 && mask_->Height() > 0)
        ApplyRegion("TOvalynShapeControl.CreateWnd: SetWindowRgn failed.");
}

// ---- caption -------------------------------------------------------------------------

void TOvalynShapeControl::DrawCaption(TBitmap& target) {
    TCanvas& canvas = target.Canvas();
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsClear);
    canvas.SetFont(Enabled() ? *Font() : *disabledFont_);

    TRect client = ClientRect();
    RECT area{CheckedAdd<int>(client.Left, margin_), client.Top,
              CheckedSub<int>(client.Right, margin_), client.Bottom};
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    switch (alignment_) {
    case taLeftJustify:
        flags |= DT_LEFT;
        break;
    case taRightJustify:
        flags |= DT_RIGHT;
        break;
    case taCenter:
        flags |= DT_CENTER;
        break;
    }
    const std::string caption = Caption();
    const int length = static_cast<int>(caption.size());
    if (layout_ != tlTop) {
        RECT measured = area;
        ::DrawTextA(canvas.Handle(), caption.c_str(), length, &measured,
                    DrawTextBiDiModeFlags(flags | DT_CALCRECT));
        const int space = CheckedSub<int>(Height(), measured.bottom);
        ::OffsetRect(&area, 0, layout_ == tlBottom ? space : space / 2);
    }
    ::DrawTextA(canvas.Handle(), caption.c_str(), length, &area, DrawTextBiDiModeFlags(flags));
}

// ---- words of the skin folder ------------------------------------------------------

std::string TOvalynShapeControl::AlignmentText() const {
    switch (alignment_) {
    case taRightJustify:
        return "right";
    case taCenter:
        return "center";
    case taLeftJustify:
        break;
    }
    return "left";
}

void TOvalynShapeControl::SetAlignmentText(const std::string& text) {
    const std::string word = AsciiLower(text);
    if (word == "center")
        SetAlignment(taCenter);
    else if (word == "right")
        SetAlignment(taRightJustify);
    else
        SetAlignment(taLeftJustify);
}

std::string TOvalynShapeControl::LayoutText() const {
    switch (layout_) {
    case tlTop:
        return "top";
    case tlBottom:
        return "bottom";
    case tlCenter:
        break;
    }
    return "center";
}

void TOvalynShapeControl::SetLayoutText(const std::string& text) {
    const std::string word = AsciiLower(text);
    if (word == "top")
        SetLayout(tlTop);
    else if (word == "bottom")
        SetLayout(tlBottom);
    else
        SetLayout(tlCenter);
}

// ---- skin folders --------------------------------------------------------------------

std::string TOvalynShapeControl::ResolveFolder(const std::string& folder) {
    return IsRelativePath(folder) ? ExecutableFolder() + folder : folder;
}

void TOvalynShapeControl::SaveSkin(const std::string& folder) {
    const std::string resolved = ResolveFolder(folder);
    if (!DirectoryExists(resolved) && !CreateDir(resolved))
        throw OvalynShapeException("Can not create folder: " + resolved);
    disabledBmp_->SaveToFile(resolved + "\\disabledBmp_" + Name() + ".bmp");
    mask_->SaveToFile(resolved + "\\mask_" + Name() + ".bmp");
    TIniFile ini(IniFileOf(resolved));
    ini.WriteInteger(Name(), "Left", Left());
    ini.WriteInteger(Name(), "Top", Top());
    ini.WriteInteger(Name(), "Width", Width());
    ini.WriteInteger(Name(), "Height", Height());
    ini.WriteString(Name(), "InvisibleColor", ColorToHexText(invisibleColor_));
    ini.WriteString(Name(), "Alignment", AlignmentText());
    ini.WriteString(Name(), "Layout", LayoutText());
}

void TOvalynShapeControl::LoadSkin(const std::string& folder) {
    const std::string resolved = ResolveFolder(folder);
    TIniFile ini(IniFileOf(resolved));
    // Set directly: the mask loaded next reshapes with this colour.
    invisibleColor_ =
        HexTextToColor(ini.ReadString(Name(), "InvisibleColor", ColorToHexText(invisibleColor_)));
    LoadPictureFile(*disabledBmp_, resolved + "\\disabledBmp_" + Name());
    LoadPictureFile(*mask_, resolved + "\\mask_" + Name());
    SetLeft(ini.ReadInteger(Name(), "Left", Left()));
    SetTop(ini.ReadInteger(Name(), "Top", Top()));
    SetWidth(ini.ReadInteger(Name(), "Width", mask_->Width()));
    SetHeight(ini.ReadInteger(Name(), "Height", mask_->Height()));
    SetAlignmentText(ini.ReadString(Name(), "Alignment", AlignmentText()));
    SetLayoutText(ini.ReadString(Name(), "Layout", LayoutText()));
    Invalidate();
}

void TOvalynShapeControl::WriteFontKeys(const std::string& folder, const std::string& prefix,
                                        TFont& font) {
    TIniFile ini(IniFileOf(ResolveFolder(folder)));
    ini.WriteString(Name(), prefix + "Name", font.Name());
    ini.WriteInteger(Name(), prefix + "Size", font.Size());
    ini.WriteBool(Name(), prefix + "Bold", font.Style().Contains(fsBold));
    ini.WriteBool(Name(), prefix + "Italic", font.Style().Contains(fsItalic));
    ini.WriteBool(Name(), prefix + "Underline", font.Style().Contains(fsUnderline));
    ini.WriteBool(Name(), prefix + "StrikeOut", font.Style().Contains(fsStrikeOut));
    ini.WriteString(Name(), prefix + "Color", ColorToHexText(font.Color()));
}

void TOvalynShapeControl::ReadFontKeys(const std::string& folder, const std::string& prefix,
                                       TFont& font) {
    TIniFile ini(IniFileOf(ResolveFolder(folder)));
    font.SetName(ini.ReadString(Name(), prefix + "Name", font.Name()));
    font.SetSize(ini.ReadInteger(Name(), prefix + "Size", font.Size()));
    const std::pair<const char*, TFontStyle> styles[] = {{"Bold", fsBold},
                                                         {"Italic", fsItalic},
                                                         {"Underline", fsUnderline},
                                                         {"StrikeOut", fsStrikeOut}};
    for (const auto& [key, style] : styles)
        if (ini.ReadBool(Name(), prefix + key, false))
            font.SetStyle(font.Style() + TFontStyles{style});
    font.SetColor(HexTextToColor(ini.ReadString(Name(), prefix + "Color", "000000")));
}

void TOvalynShapeControl::LoadFonts(const std::string& folder) {
    TFont working;
    working.Assign(Font());
    ReadFontKeys(folder, "Font", working);
    Font()->Assign(&working);
    working.Assign(disabledFont_.get());
    ReadFontKeys(folder, "DisabledFont", working);
    disabledFont_->Assign(&working);
}

// ---- free helpers ----------------------------------------------------------------------

bool IsRelativePath(const std::string& path) {
    return !(path.size() >= 3 && path[1] == ':' && path[2] == '\\');
}

void LoadPictureFile(TBitmap& bitmap, const std::string& basePath) {
    if (FileExists(basePath + ".bmp")) {
        bitmap.LoadFromFile(basePath + ".bmp");
    } else if (FileExists(basePath + ".jpg")) {
        TJPEGImage picture;
        picture.LoadFromFile(basePath + ".jpg");
        bitmap.SetWidth(picture.Width());
        bitmap.SetHeight(picture.Height());
        bitmap.Canvas().Draw(0, 0, picture);
    } else {
        bitmap.SetWidth(0);
        bitmap.SetHeight(0);
    }
}

std::string ColorToHexText(TColor color) {
    const TColor rgb = ColorToRGB(color);
    char text[8];
    std::snprintf(text, sizeof text, "%.2X%.2X%.2X", ColorRed(rgb), ColorGreen(rgb),
                  ColorBlue(rgb));
    return text;
}

TColor HexTextToColor(const std::string& text) {
    auto pair = [&](std::size_t first) {
        return first < text.size() ? text.substr(first, 2) : std::string();
    };
    return StringToColor("$00" + pair(4) + pair(2) + pair(0));
}
