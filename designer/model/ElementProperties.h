// What the property panel lists for an element, in panel order: the caption
// (or text) first, then the place and size, the look (font, colours), the
// element's other settings, its pictures and lists. Rows come from the
// settings table (whole-line and companion rows); pictures, the notice text
// and the option list are properties of their own.
#pragma once

#include <string>
#include <vector>

#include "authoring/PictureImport.h"
#include "designer/model/DesignElement.h"
#include "format/MenuSettings.h"

enum class PropertyKind : uint8_t {
    Setting,    // a settings table row: value through DesignDocument::SetValue
    Picture,    // one of the six pictures: DesignDocument::ReplacePicture
    NoticeText, // the notice text (entry 2): DesignDocument::SetNoticeText
    OptionList, // the option lines: DesignDocument's option commands
};

// The control that fits a property.
enum class EditorKind : uint8_t {
    Text,     // one line of text
    Number,   // a whole number
    YesNo,    // a check box (values "yes" and "no")
    Choice,   // a drop-down of Choices(*setting) (scroll bars)
    Sound,    // a drop-down of Choices(*setting), with a play button
    Colour,   // #RRGGBB through the colour chooser (any launcher text typed)
    FontName, // the system font list
    File,     // a program or a file, through the open dialog (text stays editable)
    Picture,  // a picture file (BMP, PNG, JPEG) through the open dialog
    Notice,   // multi-line text
    Options,  // an editable list of name + parameters
};

struct Property {
    PropertyKind kind = PropertyKind::Setting;
    const SettingInfo* setting =
        nullptr; // kind Setting: the row (a companion row for Bold, Shown, sounds)
    PictureRole picture = PictureRole::Background; // kind Picture
    EditorKind editor = EditorKind::Text;
    std::string label; // "Caption", "Left", "Font size (all buttons)", "Bold", "Start sound"...
    std::string help;  // the table's help, with "Changes every button." for shared rows
    bool sharedByButtons = false; // a [Buttons] row: an edit changes every button
};

// The element's properties in panel order. Buttons: Caption, Shown, Left,
// Top, then the shared Font size, Bold, Font colour (every button), then the
// install button's / web button's shell target (Open) or the launch button's
// Program. None (the window): Caption, Border, Minimum DirectX, Font name,
// Program, Install target, Web target, the four sounds, the six pictures, the
// notice text. Check box: Caption, Shown, Left, Top, Font size, Bold, Font
// colour. Option list: the options, Left, Top, Width, Colour, Font size,
// Bold, Font colour. Notice box: Text, Left, Top, Width, Height, Colour, Font
// size, Bold, Font colour, Scroll bars, Word wrap. The program and the two
// shell targets are listed with the window and with their button: the edit
// is the same line either way.
const std::vector<Property>& ElementProperties(ElementId id);
