// Feeds arbitrary bytes to picture import as a background picture (JPEG
// seeds, so most inputs reach libjpeg). A PictureError is the expected
// refusal; any other exception escapes and fails. An accepted picture must
// be a BMP the launcher's own checks accept, of the size reported.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "authoring/PictureImport.h"
#include "framework/portable/BmpHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const ImportedPicture picture =
            ImportPictureBytes("fuzz.jpg", data, size, PictureRole::Background);
        const TBmpCheck check = CheckBmpFile(picture.bmp.data(), picture.bmp.size());
        if (!check.Ok || check.Geometry.Width != picture.width ||
            check.Geometry.Height != picture.height) {
            std::abort();
        }
    } catch (const PictureError& error) {
        if (error.Problem().empty()) {
            std::abort();
        }
    }
    return 0;
}
