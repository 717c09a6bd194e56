#include "IcoImages.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace {

uint32_t U(const std::string& bytes, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

bool DecodePng(const TIcoImage& image, TDecodedIcon& decoded, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, image.Data.data(), image.Data.size()))
        return error = std::string("PNG image does not open: ") + png.message, false;
    png.format = PNG_FORMAT_RGBA;
    if (png.width > 256 || png.height > 256) {
        png_image_free(&png);
        return error = "PNG image larger than 256 pixels", false;
    }
    decoded.Width = static_cast<int>(png.width);
    decoded.Height = static_cast<int>(png.height);
    decoded.Png = true;
    decoded.Rgba.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, decoded.Rgba.data(), 0, nullptr))
        return error = std::string("PNG image does not decode: ") + png.message, false;
    return true;
}

bool DecodeBmp(const TIcoImage& image, TDecodedIcon& decoded, std::string& error) {
    const std::string& d = image.Data;
    if (d.size() < 40 || U(d, 0, 4) != 40)
        return error = "BMP image without a 40-byte BITMAPINFOHEADER", false;
    const int32_t width = static_cast<int32_t>(U(d, 4, 4));
    const int32_t doubleHeight = static_cast<int32_t>(U(d, 8, 4));
    if (width < 1 || width > 256 || doubleHeight < 2 || doubleHeight > 512 || doubleHeight % 2)
        return error = "BMP image of " + std::to_string(width) + " x " +
                       std::to_string(doubleHeight) + " (the height counts image and mask)",
               false;
    if (U(d, 14, 2) != 32 || U(d, 16, 4) != 0)
        return error = "BMP image not 32 bits a pixel, uncompressed", false;
    const std::size_t height = static_cast<std::size_t>(doubleHeight / 2);
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t maskRow = (w + 31) / 32 * 4;
    const std::size_t expected = 40 + w * height * 4 + maskRow * height;
    if (d.size() != expected)
        return error = "BMP image of " + std::to_string(d.size()) + " bytes, " +
                       std::to_string(expected) + " expected for its pixels and mask",
               false;
    decoded.Width = width;
    decoded.Height = static_cast<int>(height);
    decoded.Rgba.resize(w * height * 4);
    decoded.MaskedOut.resize(w * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t from = 40 + (height - 1 - row) * w * 4;
        const std::size_t mask = 40 + w * height * 4 + (height - 1 - row) * maskRow;
        for (std::size_t x = 0; x < w; ++x) {
            const char* bgra = &d[from + x * 4];
            uint8_t* rgba = &decoded.Rgba[(row * w + x) * 4];
            rgba[0] = static_cast<uint8_t>(bgra[2]);
            rgba[1] = static_cast<uint8_t>(bgra[1]);
            rgba[2] = static_cast<uint8_t>(bgra[0]);
            rgba[3] = static_cast<uint8_t>(bgra[3]);
            decoded.MaskedOut[row * w + x] =
                (static_cast<uint8_t>(d[mask + x / 8]) & (0x80 >> (x % 8))) != 0;
        }
    }
    return true;
}

} // namespace

bool ReadIcoDirectory(const std::string& bytes, std::vector<TIcoImage>& images,
                      std::string& error) {
    if (bytes.size() < 6 || U(bytes, 0, 2) != 0 || U(bytes, 2, 2) != 1)
        return error = "no icon header (reserved 0, type 1)", false;
    const std::size_t count = U(bytes, 4, 2);
    if (count == 0 || 6 + 16 * count > bytes.size())
        return error = "directory of " + std::to_string(count) + " entries does not fit the file",
               false;
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        TIcoImage image;
        image.Width = U(bytes, entry, 1) == 0 ? 256 : static_cast<int>(U(bytes, entry, 1));
        image.Height = U(bytes, entry + 1, 1) == 0 ? 256 : static_cast<int>(U(bytes, entry + 1, 1));
        image.BitCount = static_cast<uint16_t>(U(bytes, entry + 6, 2));
        const std::size_t size = U(bytes, entry + 8, 4), offset = U(bytes, entry + 12, 4);
        if (size == 0 || offset < 6 + 16 * count || offset > bytes.size() ||
            size > bytes.size() - offset)
            return error = "image " + std::to_string(i) + " (" + std::to_string(size) +
                           " bytes at " + std::to_string(offset) + ") outside the file",
                   false;
        spans.emplace_back(offset, offset + size);
        image.Data = bytes.substr(offset, size);
        images.push_back(std::move(image));
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            return error = "two images overlap at byte " + std::to_string(spans[i].first), false;
    return true;
}

bool DecodeIcoImage(const TIcoImage& image, TDecodedIcon& decoded, std::string& error) {
    static const char kPngSignature[] = "\x89PNG\r\n\x1a\n";
    if (image.Data.size() >= 8 && std::memcmp(image.Data.data(), kPngSignature, 8) == 0)
        return DecodePng(image, decoded, error);
    return DecodeBmp(image, decoded, error);
}
