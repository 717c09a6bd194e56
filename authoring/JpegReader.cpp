#include "authoring/JpegReader.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <setjmp.h>

#include "authoring/PictureImport.h"
#include "authoring/PictureLimits.h"
#include "framework/portable/BmpHeader.h"

namespace {

// A progressive file of many tiny scans can keep the decoder busy for a long
// time on a few kilobytes; real files have a dozen or so.
constexpr int kMaxJpegScans = 500;

// libjpeg reports errors through error_exit, which must not return; it
// longjmps back into the step that called libjpeg. Everything such a step
// touches lives in this plain struct, owned by the caller, and the steps hold
// no object with a destructor, so the jump skips nothing.
struct JpegJob {
    jpeg_decompress_struct decoder{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    jmp_buf jump{};
    bool created = false;
    char message[JMSG_LENGTH_MAX] = {};
    bool tooManyScans = false;
};

JpegJob* JobOf(j_common_ptr info) {
    return static_cast<JpegJob*>(info->client_data);
}

void RecordErrorAndJump(j_common_ptr info) {
    JpegJob* job = JobOf(info);
    (*info->err->format_message)(info, job->message);
    longjmp(job->jump, 1);
}

// Warnings mean corrupt or missing data that libjpeg would paper over with
// grey; the picture would be wrong, so they stop it like errors. Trace
// messages (level 1 and up) are ignored.
void StopOnWarning(j_common_ptr info, int level) {
    if (level < 0) {
        RecordErrorAndJump(info);
    }
}

void NoOutput(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
    auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
    if (decoder->input_scan_number > kMaxJpegScans) {
        JpegJob* job = JobOf(info);
        job->tooManyScans = true;
        longjmp(job->jump, 1);
    }
}

bool ReadHeader(JpegJob* job, const uint8_t* data, std::size_t size) {
    if (setjmp(job->jump)) {
        return false;
    }
    job->decoder.client_data = job; // kept by jpeg_create_decompress, which may fail already
    jpeg_create_decompress(&job->decoder);
    job->created = true;
    job->decoder.progress = &job->progress;
    // Pixel memory is bounded by the size check; this bounds the rest (the
    // coefficients a progressive file keeps) and has no backing store.
    job->decoder.mem->max_memory_to_use = static_cast<long>(kMaxBitmapBytes * 2);
    jpeg_mem_src(&job->decoder, data, static_cast<unsigned long>(size));
    jpeg_read_header(&job->decoder, TRUE);
    return true;
}

// Decodes every row into `pixels` (width * height * 4 bytes, RGBA).
bool ReadPixels(JpegJob* job, uint8_t* pixels) {
    if (setjmp(job->jump)) {
        return false;
    }
    j_decompress_ptr decoder = &job->decoder;
    decoder->out_color_space = decoder->num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(decoder);
    const JDIMENSION width = decoder->output_width;
    const int samples = decoder->output_components;
    JSAMPARRAY row = (*decoder->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(decoder),
                                                   JPOOL_IMAGE, width * samples, 1);
    while (decoder->output_scanline < decoder->output_height) {
        uint8_t* out = pixels + static_cast<std::size_t>(decoder->output_scanline) * width * 4;
        jpeg_read_scanlines(decoder, row, 1);
        const JSAMPLE* in = row[0];
        for (JDIMENSION x = 0; x < width; ++x, in += samples, out += 4) {
            out[0] = in[0];
            out[1] = in[samples == 1 ? 0 : 1];
            out[2] = in[samples == 1 ? 0 : 2];
            out[3] = 0xFF;
        }
    }
    jpeg_finish_decompress(decoder);
    return true;
}

class JpegDecoderOwner {
public:
    explicit JpegDecoderOwner(JpegJob& job) : job_(job) {}
    ~JpegDecoderOwner() {
        if (job_.created) {
            jpeg_destroy_decompress(&job_.decoder);
        }
    }
    JpegDecoderOwner(const JpegDecoderOwner&) = delete;
    JpegDecoderOwner& operator=(const JpegDecoderOwner&) = delete;

private:
    JpegJob& job_;
};

[[noreturn]] void ThrowDecodeError(const std::string& name, const JpegJob& job) {
    if (job.tooManyScans) {
        throw PictureError(name, "the JPEG file is damaged: more than " +
                                     std::to_string(kMaxJpegScans) + " scans");
    }
    throw PictureError(name, std::string("the JPEG file is damaged or truncated: ") + job.message);
}

} // namespace

bool HasJpegSignature(const uint8_t* data, std::size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

RgbaImage ReadJpeg(const std::string& name, const uint8_t* data, std::size_t size) {
    JpegJob job;
    job.decoder.err = jpeg_std_error(&job.errors);
    job.errors.error_exit = RecordErrorAndJump;
    job.errors.emit_message = StopOnWarning;
    job.errors.output_message = NoOutput;
    job.progress.progress_monitor = LimitScans;
    JpegDecoderOwner owner(job);

    if (!ReadHeader(&job, data, size)) {
        ThrowDecodeError(name, job);
    }
    const J_COLOR_SPACE space = job.decoder.jpeg_color_space;
    if (space == JCS_CMYK || space == JCS_YCCK) {
        throw PictureError(name, "CMYK JPEG files are not read; save the picture in RGB "
                                 "colours (or as PNG)");
    }
    if (job.decoder.num_components != 1 && job.decoder.num_components != 3) {
        throw PictureError(name, "the JPEG file has " + std::to_string(job.decoder.num_components) +
                                     " colour components; only grey (1) and colour (3) are read");
    }
    CheckPictureSize(name, job.decoder.image_width, job.decoder.image_height);

    RgbaImage image = MakeRgbaImage(static_cast<int32_t>(job.decoder.image_width),
                                    static_cast<int32_t>(job.decoder.image_height), false);
    if (!ReadPixels(&job, image.pixels.get())) {
        ThrowDecodeError(name, job);
    }
    return image;
}
