// What every picture fuzz target demands of an import: either a PictureError
// that says what is wrong, or a BMP the launcher's checks accept, of the size
// the import reports. Anything else aborts, which the fuzzer reports.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "authoring/PictureImport.h"
#include "framework/portable/BmpHeader.h"

inline void ImportAndCheck(const std::string& name, const uint8_t* data, size_t size,
                           PictureRole role) {
    try {
        const ImportedPicture picture = ImportPictureBytes(name, data, size, role);
        const TBmpCheck check = CheckBmpFile(picture.bmp.data(), picture.bmp.size());
        if (!check.Ok || check.Geometry.Width != picture.width ||
            check.Geometry.Height != picture.height)
            std::abort();
    } catch (const PictureError& error) {
        if (error.Problem().empty())
            std::abort();
    }
}
