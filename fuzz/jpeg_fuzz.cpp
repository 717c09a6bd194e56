// Feeds arbitrary bytes to picture import as a background picture (JPEG
// seeds, so most inputs reach libjpeg). A PictureError is the expected
// refusal; any other exception escapes and fails. An accepted picture must
// be a BMP the launcher's own checks accept, of the size reported.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/PictureFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImportAndCheck("fuzz.jpg", data, size, PictureRole::Background);
    return 0;
}
