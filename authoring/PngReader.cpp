#include "authoring/PngReader.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "authoring/PictureImport.h"
#include "authoring/PictureLimits.h"

namespace {

// libpng reports errors by longjmp. Everything a decoding step touches lives
// in this plain struct, owned by the caller, and the steps that call libpng
// hold no object with a destructor, so a longjmp out of libpng skips nothing.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    bool truncated = false;
    char message[160] = {};
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    bool hasAlpha = false;
    std::size_t rowBytes = 0;
};

void RecordErrorAndJump(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::snprintf(job->message, sizeof job->message, "%s", message ? message : "unknown error");
    png_longjmp(png, 1);
}

// Warnings (a damaged ancillary chunk, say) do not stop the picture.
void IgnoreWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, std::size_t count) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (count > job->size - job->position) {
        job->truncated = true;
        png_error(png, "the file ends before the picture does");
    }
    std::memcpy(out, job->data + job->position, count);
    job->position += count;
}

// Known ancillary chunks that say nothing about the pixels. libpng reads
// such a chunk whole into memory and takes a length beyond its limit for a
// warning only, so a few hundred bytes claiming a 2 GB text chunk would cost
// 2 GB; skipped, the claim just runs into the end of the file.
constexpr png_byte kSkippedChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0"
                                      "pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0"
                                      "zTXt";

bool ReadHeader(PngJob* job) {
    if (setjmp(png_jmpbuf(job->png))) {
        return false;
    }
    png_set_keep_unknown_chunks(job->png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks,
                                static_cast<int>(sizeof kSkippedChunks / 5));
    png_read_info(job->png, job->info);
    png_get_IHDR(job->png, job->info, &job->width, &job->height, &job->bitDepth, &job->colorType,
                 &job->interlace, nullptr, nullptr);
    job->hasAlpha = (job->colorType & PNG_COLOR_MASK_ALPHA) != 0 ||
                    png_get_valid(job->png, job->info, PNG_INFO_tRNS) != 0;
    return true;
}

// Every colour type and depth comes out as 8-bit red, green, blue, alpha.
bool SetRgbaOutput(PngJob* job) {
    if (setjmp(png_jmpbuf(job->png))) {
        return false;
    }
    png_structp png = job->png;
    png_set_expand(png); // palette to RGB, grey below 8 bits to 8, a transparent colour to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if ((job->colorType & PNG_COLOR_MASK_ALPHA) == 0) {
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, job->info);
    job->rowBytes = png_get_rowbytes(png, job->info);
    return true;
}

// Reads to the end of the file too, so a file cut short after its pixels is
// still reported as truncated.
bool ReadPixels(PngJob* job, png_bytepp rows) {
    if (setjmp(png_jmpbuf(job->png))) {
        return false;
    }
    png_read_image(job->png, rows);
    png_read_end(job->png, nullptr);
    return true;
}

class PngReadStructs {
public:
    explicit PngReadStructs(PngJob& job) : job_(job) {}
    ~PngReadStructs() {
        if (job_.png) {
            png_destroy_read_struct(&job_.png, job_.info ? &job_.info : nullptr, nullptr);
        }
    }
    PngReadStructs(const PngReadStructs&) = delete;
    PngReadStructs& operator=(const PngReadStructs&) = delete;

private:
    PngJob& job_;
};

[[noreturn]] void ThrowDecodeError(const std::string& name, const PngJob& job) {
    if (job.truncated) {
        throw PictureError(name, "the PNG file is truncated: it ends before the picture does");
    }
    throw PictureError(name, std::string("the PNG file is damaged: ") + job.message);
}

} // namespace

bool HasPngSignature(const uint8_t* data, std::size_t size) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

RgbaImage ReadPng(const std::string& name, const uint8_t* data, std::size_t size) {
    PngJob job;
    job.data = data;
    job.size = size;
    PngReadStructs owner(job);
    job.png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, RecordErrorAndJump, IgnoreWarning);
    if (job.png) {
        job.info = png_create_info_struct(job.png);
    }
    if (!job.png || !job.info) {
        throw PictureError(name, "not enough memory to read the PNG file");
    }
    png_set_read_fn(job.png, &job, ReadFromMemory);

    if (!ReadHeader(&job)) {
        ThrowDecodeError(name, job);
    }
    CheckPictureSize(name, job.width, job.height);
    if (!SetRgbaOutput(&job)) {
        ThrowDecodeError(name, job);
    }
    if (job.rowBytes != static_cast<std::size_t>(job.width) * 4) {
        throw PictureError(name, "the PNG file's rows could not be converted to RGBA");
    }

    RgbaImage image = MakeRgbaImage(static_cast<int32_t>(job.width),
                                    static_cast<int32_t>(job.height), job.hasAlpha);
    std::vector<png_bytep> rows(job.height);
    for (png_uint_32 y = 0; y < job.height; ++y) {
        rows[y] = image.Row(static_cast<int32_t>(y));
    }
    if (!ReadPixels(&job, rows.data())) {
        ThrowDecodeError(name, job);
    }
    return image;
}
