// Where an element stands on the canvas, as its Left and Top lines give it,
// and moves clamped to what the launcher accepts: buttons are placed at
// 16-bit positions (0 to 65535), the check box, the option list and the
// notice box at the table's range of their lines.
#pragma once

#include <cstdint>
#include <optional>

#include "authoring/MenuDocument.h"
#include "designer/model/DesignElement.h"

struct ElementPoint {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const ElementPoint&) const = default;
};

// The element's Left and Top lines; nullopt for None.
std::optional<SettingId> LeftLine(ElementId id);
std::optional<SettingId> TopLine(ElementId id);

// The element's place as the launcher reads its lines (text it cannot read
// counts as 0); nullopt for None.
std::optional<ElementPoint> ElementPosition(const MenuDocument& menu, ElementId id);
// x and y each held to the range of the element's Left and Top rows.
ElementPoint ClampPosition(ElementId id, ElementPoint wanted);
