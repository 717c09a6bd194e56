// Takes a Windows icon file (.ico) apart for its tests: the directory and
// each image, decoded. BMP images (BITMAPINFOHEADER, 32 bits a pixel, then the
// AND mask) are read here, PNG images with libpng. Bounds-checked; every
// problem comes back as a text naming the image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TIcoImage {
    int Width = 0; // as the directory says (0 there means 256)
    int Height = 0;
    uint16_t BitCount = 0;
    std::string Data; // the image's bytes
};

// The directory's images; false with error when the header, an entry or an
// image's place in the file is wrong, or when two images overlap.
bool ReadIcoDirectory(const std::string& bytes, std::vector<TIcoImage>& images, std::string& error);

struct TDecodedIcon {
    int Width = 0;
    int Height = 0;
    bool Png = false;
    std::vector<uint8_t> Rgba;   // rows from the top
    std::vector<bool> MaskedOut; // the AND mask (BMP images only), rows from the top
};

// Decodes one image of the directory.
bool DecodeIcoImage(const TIcoImage& image, TDecodedIcon& decoded, std::string& error);
