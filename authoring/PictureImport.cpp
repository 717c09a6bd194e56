#include "authoring/PictureImport.h"

#include <fstream>
#include <ios>

#include "authoring/Bmp24Writer.h"
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
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        throw PictureError(path, "the file cannot be opened (missing or not readable)");
    }
    const std::streamoff size = file.tellg();
    if (size < 0) {
        throw PictureError(path, "the file cannot be read");
    }
    if (static_cast<uint64_t>(size) > kMaxPictureFileBytes) {
        throw PictureError(path, "the file is too large (" + std::to_string(size) +
                                     " bytes); picture files of at most " +
                                     std::to_string(kMaxPictureFileBytes / (1024 * 1024)) +
                                     " MB are read");
    }
    std::vector<uint8_t> data(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!data.empty() && !file.read(reinterpret_cast<char*>(data.data()), size)) {
        throw PictureError(path, "the file cannot be read");
    }
    return ImportPictureBytes(path, data.data(), data.size(), role);
}
