#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {

std::vector<unsigned char> ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ErrorTrap {
    jpeg_error_mgr pub;
    jmp_buf jump;
};

void OnError(j_common_ptr info) {
    longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

struct Decoded {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    bool ok = false;
};

Decoded Decode(const std::vector<unsigned char>& bytes) {
    Decoded out;
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.pub);
    trap.pub.error_exit = OnError;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return out;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<size_t>(info.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out.ok = true;
    return out;
}

TEST(JpegPipeline, DecodesSmallGradientFile) {
    auto bytes = ReadAll(OVALYN_TEST_DATA "/gradient16x8.jpg");
    ASSERT_FALSE(bytes.empty()) << "test picture missing";
    Decoded d = Decode(bytes);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 16);
    EXPECT_EQ(d.height, 8);
    // A vertical red-to-blue gradient: red dominates the top row, blue the bottom.
    const unsigned char* top = &d.rgb[0];
    const unsigned char* bottom = &d.rgb[static_cast<size_t>(7 * 16) * 3];
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 60);
    EXPECT_GT(bottom[2], 200);
    EXPECT_LT(bottom[0], 60);
}

TEST(JpegPipeline, TruncatedFileFailsCleanly) {
    auto bytes = ReadAll(OVALYN_TEST_DATA "/gradient16x8.jpg");
    ASSERT_GT(bytes.size(), 20u);
    bytes.resize(20);
    EXPECT_FALSE(Decode(bytes).ok);
}

} // namespace
