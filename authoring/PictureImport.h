// Pictures a menu author names in menu.ini, turned into what the launcher
// reads: a BMP file is taken as it is (after the launcher's own checks), so a
// container taken apart and built again keeps its bytes; a PNG or JPEG file
// becomes a 24-bit BMP. In the two shape pictures (a button's normal look and
// the unticked check box) pixels that are less than half opaque become
// fuchsia (255, 0, 255), the colour the launcher cuts away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/MenuEntries.h"

struct ImportedPicture {
    std::vector<uint8_t> bmp; // the container entry: a complete BMP file
    int32_t width = 0;
    int32_t height = 0;
};

// A picture that cannot be used: damaged, truncated, too large, of a format
// that is not read, or (with an alpha channel) holding opaque fuchsia pixels
// in a shape picture. what() reads "FILE: what is wrong".
class PictureError : public std::runtime_error {
public:
    PictureError(const std::string& file, const std::string& problem)
        : std::runtime_error(file + ": " + problem), file_(file), problem_(problem) {}
    const std::string& File() const { return file_; }
    const std::string& Problem() const { return problem_; }

private:
    std::string file_;
    std::string problem_;
};

// The format is told by the content, not by the name. name is used in
// messages only. Raises PictureError.
ImportedPicture ImportPictureBytes(const std::string& name, const uint8_t* data, std::size_t size,
                                   PictureRole role);
// Reads the file (size checked before reading) and imports it.
ImportedPicture ImportPictureFile(const std::string& path, PictureRole role);
