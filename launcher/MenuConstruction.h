// The launcher's menu as components, and how a configuration list and the
// container's pictures turn into it. The launcher builds its window with this
// code, and the designer shows the menu being edited with the very same code,
// so what an author sees is what the launcher will show.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "format/MenuSettings.h"

class TComboBox;
class TComponent;
class TImage;
class TMemo;
class TMemoryStream;
class TOvalynShapeButton;
class TOvalynShapeCheckBoxButton;
class TWinControl;

// The menu's components; not owned (their owner frees them).
struct TMenuControls {
    TImage* Background = nullptr;
    // Button group g (1 to 10) at index g - 1; its Tag is g.
    std::array<TOvalynShapeButton*, kButtonGroups> Buttons{};
    TOvalynShapeCheckBoxButton* CheckBox = nullptr;
    TMemo* Notice = nullptr;
    TComboBox* Options = nullptr;
};

// Where the menu's texts and pictures come from: the launcher's container, or
// the designer's document.
class TMenuContent {
public:
    virtual ~TMenuContent() = default;
    // Configuration line index; a line the list does not have raises as the
    // string list does.
    virtual const std::string& Line(int index) const = 0;
    // Container entry fileNo (2 the notice, 3 to 8 the pictures) as the
    // launcher reads it; raises when it cannot be read. Owned by the caller.
    virtual std::unique_ptr<TMemoryStream> Entry(uint8_t fileNo) = 0;
};

// Creates the components in their stored places, owned by owner and shown on
// parent, in this order: background, buttons 1 to 10, check box, notice,
// option list (tab orders 0 to 12). Buttons, notice and option list start
// hidden. No event is bound.
TMenuControls CreateMenuControls(TComponent* owner, TWinControl* parent);

// Loads the background picture (entry 3); the picture sizes the image.
void LoadMenuBackground(const TMenuControls& controls, TMenuContent& content);

// Turns the stored layout into the configured menu: the buttons, the check box
// and the option list, and in requirement mode (launchMode false: the DirectX
// version is too old) the notice instead of the check box and the list.
// savedOption is the option selected in the list.
void BuildMenuControls(const TMenuControls& controls, TMenuContent& content, bool launchMode,
                       int8_t savedOption);

// Adds the option lines' names to the list and selects savedOption; a list of
// one option or none stays empty.
void FillOptionList(TComboBox* options, const TMenuContent& content, int8_t savedOption);
