// The designer's menu as the launcher would read it from its container: the
// configuration list loaded by the same string list, the entries as the
// container would hold them. The canvas builds the menu from it with the
// launcher's own construction code.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/runtime/StringList.h"
#include "launcher/MenuConstruction.h"

class MenuDocument;

class TDocumentMenuContent : public TMenuContent {
public:
    explicit TDocumentMenuContent(const MenuDocument& menu);
    const std::string& Line(int index) const override { return lines_.Get(index); }
    std::unique_ptr<TMemoryStream> Entry(uint8_t fileNo) override;

private:
    const MenuDocument& menu_; // outlives this object
    TStringList lines_;
};
