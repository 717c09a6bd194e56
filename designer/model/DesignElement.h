// The elements an author selects on the designer's canvas: the window itself
// (nothing selected), the ten buttons, the check box, the option list and the
// notice box. What each is called, which menu.ini section holds it, which
// configuration line belongs to which element, and in which mode the
// launcher shows it.
#pragma once

#include <array>
#include <string_view>

#include "authoring/MenuDocument.h"

enum class ElementId : uint8_t {
    None, // the window: its own settings when nothing is selected
    Install,
    Quit,
    Launch,
    Web,
    Button5,
    Button6,
    Button7,
    Button8,
    Button9,
    Button10,
    CheckBox,
    Options,
    Notice,
};

inline constexpr int kElementCount = 14;

// Which of the launcher's two menu windows is shown: launch mode (DirectX
// sufficient) or requirement mode (DirectX too old: the notice and the
// install button instead of the launch button).
enum class MenuMode : uint8_t { Launch, Requirement };

// Every element, None first, then the buttons in group order, check box,
// option list, notice.
const std::array<ElementId, kElementCount>& AllElements();

// "Window", "Install button", "Launch button", "Button 5", "Check box",
// "Option list", "Notice box".
std::string_view ElementName(ElementId id);
// The menu.ini section that holds the element's own keys ("Window",
// "Install", ..., "Button10", "CheckBox", "Options", "Notice").
std::string_view ElementSection(ElementId id);

// Button group 1..10 of a button element, 0 for the others.
int ButtonGroup(ElementId id);
// The button element of group 1..10.
ElementId ButtonElement(int group);
bool IsButton(ElementId id);

// The element a configuration line belongs to (for selecting the element of
// a problem): button lines, the check box's, the option list's (with line 71
// and every option line from 72) and the notice box's lines go to their
// element; the shell targets and the program to their buttons; the shared
// button font lines, the window's lines, the sounds and the unread line 70 to
// None. Lines below 0 or past the menu give None.
ElementId ElementOfLine(int configLine);

// Whether the launcher shows the element in that mode with the menu as it
// is: a button when its Shown line is true (the install button only in
// requirement mode, the launch button only in launch mode);
// the check box in launch mode unless its colour line is 0 (false); the
// option list in launch mode when line 71 counts more than one option; the
// notice box in requirement mode. None (the window) is always shown.
bool ElementShown(const MenuDocument& menu, ElementId id, MenuMode mode);
// Whether the element exists at all in that mode (the launcher never builds
// the install button in launch mode, the launch button, check box and option
// list in requirement mode, the notice box in launch mode):
// the canvas frames a hidden element that exists, and leaves out the others.
bool ElementInMode(ElementId id, MenuMode mode);
