#include "authoring/PictureImport.h"

#include "authoring/Bmp24Writer.h"
#include "authoring/FileBytes.h"
#include "authoring/JpegReader.h"
#include "authoring/PictureColours.h"
#include "authoring/PictureLimits.h"
#include "authoring/PngReader.h"
#include "framework/portable/BmpHeader.h"

namespace {

// A BMP file is the launcher's own format: it is checked as the launcher
// checks it and kept byte for byte, so a container taken apart and built
// again keeps its entries.
ImportedPicture TakeBmp(const std::string& name, const uint8_t* data, std::size_t size) {
    const TBmpCheck check = CheckBmpFile(data, size);
    if (!check.Ok) {
        throw PictureError(name, "the BMP file cannot be used: " + check.Error);
    }
    ImportedPicture picture;
    picture.bmp.assign(data, data + size);
    picture.width = check.Geometry.Width;
    picture.height = check.Geometry.Height;
    return picture;
}

ImportedPicture Convert(const std::string& name, RgbaImage image, PictureRole role) {
    ApplyPictureRole(name, image, role);
    ImportedPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.bmp = EncodeBmp24(image);
    return picture;
}

} // namespace

ImportedPicture ImportPictureBytes(const std::string& name, const uint8_t* data, std::size_t size,
                                   PictureRole role) {
    if (size == 0) {
        throw PictureError(name, "the file is empty");
    }
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        return TakeBmp(name, data, size);
    }
    if (HasPngSignature(data, size)) {
        return Convert(name, ReadPng(name, data, size), role);
    }
    if (HasJpegSignature(data, size)) {
        return Convert(name, ReadJpeg(name, data, size), role);
    }
    throw PictureError(name, "not a picture that can be read: BMP, PNG and JPEG files are read "
                             "(told by their content, not their name)");
}

ImportedPicture ImportPictureFile(const std::string& path, PictureRole role) {
    std::vector<uint8_t> data;
    std::string problem;
    if (!ReadWholeFile(path, kMaxPictureFileBytes, data, problem, "picture files"))
        throw PictureError(path, "the file " + problem);
    return ImportPictureBytes(path, data.data(), data.size(), role);
}
