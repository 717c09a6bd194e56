#include "framework/graphics/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegMessages.h"
#include "framework/portable/BmpHeader.h"
#include "framework/runtime/Exceptions.h"

extern "C" {
#include <jpeglib.h>
}

namespace {

const char kInvalidJpeg[] = "JPEG-Bild ist nicht g\xFC"
                            "ltig";

// The main text, with the detail after a colon when there is one.
std::string InvalidJpeg(const std::string& detail) {
    return detail.empty() ? kInvalidJpeg : std::string(kInvalidJpeg) + ": " + detail;
}

// libjpeg reports errors through error_exit, which must not return: it
// records the message's code and numbers (its own text is English) and jumps
// back to the decoder's setjmp.
struct ErrorTrap {
    jpeg_error_mgr pub;
    jmp_buf jump;
    int code;
    int parameters[2];
};

[[noreturn]] void Trap(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    trap->code = info->err->msg_code;
    trap->parameters[0] = info->err->msg_parm.i[0];
    trap->parameters[1] = info->err->msg_parm.i[1];
    longjmp(trap->jump, 1);
}

void OnJpegError(j_common_ptr info) {
    Trap(info);
}

// Corrupt-data warnings would otherwise decode damaged pictures silently.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0)
        Trap(info);
}

// Everything the decoder touches lives here, outside the frame that calls
// setjmp, so nothing depends on locals after a jump back.
struct DecodeJob {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    const uint8_t* data = nullptr;
    size_t size = 0;
    TBitmap* target = nullptr;
    std::string error;
};

bool RunDecode(DecodeJob& job) {
    job.info.err = jpeg_std_error(&job.trap.pub);
    job.trap.pub.error_exit = OnJpegError;
    job.trap.pub.emit_message = OnJpegMessage;
    if (setjmp(job.trap.jump)) {
        job.error = JpegFaultText(job.trap.code, job.trap.parameters[0], job.trap.parameters[1]);
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    jpeg_create_decompress(&job.info);
    jpeg_mem_src(&job.info, job.data, static_cast<unsigned long>(job.size));
    jpeg_read_header(&job.info, TRUE);
    const uint64_t w = job.info.image_width;
    const uint64_t h = job.info.image_height;
    if (w == 0 || h == 0 || w > uint64_t(kMaxBitmapSide) || h > uint64_t(kMaxBitmapSide) ||
        w * h * 4 > kMaxBitmapBytes) {
        job.error = "Bild zu gro\xDF (" + std::to_string(w) + " x " + std::to_string(h) + ")";
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    job.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&job.info);
    if (job.info.output_components != 3) {
        job.error = "der Farbaufbau des Bildes wird nicht unterst\xFCtzt";
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    // The bitmap's own errors (out of memory) are caught here, where no
    // libjpeg frame is active, so the decoder is still destroyed.
    try {
        job.target->SetSize(static_cast<int>(job.info.output_width),
                            static_cast<int>(job.info.output_height));
        while (job.info.output_scanline < job.info.output_height) {
            uint8_t* row = job.target->ScanLine(static_cast<int>(job.info.output_scanline));
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&job.info, rows, 1);
            // libjpeg writes red, green, blue; the DIB holds blue, green, red.
            for (JDIMENSION x = 0; x < job.info.output_width; ++x)
                std::swap(row[3 * x], row[3 * x + 2]);
        }
    } catch (const Exception& e) {
        job.error = e.Message();
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    jpeg_finish_decompress(&job.info);
    jpeg_destroy_decompress(&job.info);
    return true;
}

} // namespace

TJPEGImage::TJPEGImage() : bitmap_(std::make_unique<TBitmap>()) {
    bitmap_->SetPixelFormat(pf24bit);
}

TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const {
    return bitmap_->Width();
}
int TJPEGImage::Height() const {
    return bitmap_->Height();
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Die Gr\xF6\xDF"
                                   "e eines JPEG-Bildes kann nicht ge\xE4ndert werden");
}
void TJPEGImage::SetHeight(int height) {
    SetWidth(height);
}
void TJPEGImage::SetSize(int width, int) {
    SetWidth(width);
}

void TJPEGImage::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (source == nullptr) {
        data_.clear();
        bitmap_->Assign(nullptr);
        Changed(this);
        return;
    }
    if (auto* other = dynamic_cast<TJPEGImage*>(source)) {
        data_ = other->data_;
        bitmap_->Assign(other->bitmap_.get());
        Changed(this);
        return;
    }
    TPersistent::Assign(source);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    const int64_t cap = static_cast<int64_t>(kMaxBitmapBytes);
    if (remaining <= 0)
        throw EInvalidGraphic(InvalidJpeg("keine Daten"));
    if (remaining > cap)
        throw EInvalidGraphic(InvalidJpeg("die Datei ist zu gro\xDF"));
    std::vector<uint8_t> data(static_cast<size_t>(remaining));
    stream.ReadBuffer(data.data(), remaining);

    auto decoded = std::make_unique<TBitmap>();
    decoded->SetPixelFormat(pf24bit);
    DecodeJob job;
    job.data = data.data();
    job.size = data.size();
    job.target = decoded.get();
    if (!RunDecode(job))
        throw EInvalidGraphic(InvalidJpeg(job.error));
    data_ = std::move(data);
    bitmap_ = std::move(decoded);
    Changed(this);
}

void TJPEGImage::SaveToStream(TStream& stream) {
    if (!data_.empty())
        stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) {
    bitmap_->Draw(canvas, rect);
}
