#include "framework/graphics/Graphic.h"

#include "framework/runtime/Exceptions.h"

void TGraphic::SetSize(int width, int height) {
    SetWidth(width);
    SetHeight(height);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fm::fmOpenRead | fm::fmShareDenyWrite);
    try {
        LoadFromStream(stream);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(e.Message() + " (" + fileName + ")");
    }
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, fm::fmCreate);
    SaveToStream(stream);
}

void TGraphic::Changed(TObject* /*sender*/) {
    modified_ = true;
    if (OnChange)
        OnChange(this);
}
