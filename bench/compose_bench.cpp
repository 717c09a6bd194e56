// How much a glass composition costs next to a plain copy of the same pixels, how much
// faster the table path of the hue rotation is than the formulas, and what a repeated
// paint of the same picture with a hue shift costs against one without (the glass form
// keeps the rotated picture between paints), all measured in one run and printed as
// ratios. Run it under Wine with scripts/wine-run; an optional argument sets how
// many runs each measurement takes the best of.
#include "skin/GlassBlend.h"
#include "skin/GlassHue.h"
#include "skin/RotatedPicture.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

class Picture {
public:
    Picture(int32_t width, int32_t height)
        : bytes_(static_cast<size_t>(RowBytes24(width)) * height) {
        rows_ = {bytes_.data() + static_cast<size_t>(RowBytes24(width)) * (height - 1),
                 RowBytes24(width), width, height};
    }
    const TPixelRows& Rows() const { return rows_; }
    std::vector<uint8_t>& Bytes() { return bytes_; }

    // A photo-like picture: gradients with noise in the low bits, so nearly every pixel
    // has a colour of its own (the rotation's worst case).
    void PaintNoisy(uint32_t seed) {
        for (int32_t y = 0; y < rows_.Height; ++y) {
            for (int32_t x = 0; x < rows_.Width; ++x) {
                seed = seed * 1664525u + 1013904223u;
                uint8_t* p = rows_.Pixel(x, y);
                p[0] = static_cast<uint8_t>(x * 255 / rows_.Width + (seed >> 29));
                p[1] = static_cast<uint8_t>(y * 255 / rows_.Height + (seed >> 27));
                p[2] = static_cast<uint8_t>((x + y) + (seed >> 30));
            }
        }
    }

    // A skin-like picture: flat areas of a few colours with soft vertical gradients.
    void PaintSkin() {
        for (int32_t y = 0; y < rows_.Height; ++y) {
            for (int32_t x = 0; x < rows_.Width; ++x) {
                uint8_t* p = rows_.Pixel(x, y);
                const int band = (x / 64 + y / 48) % 4;
                p[0] = static_cast<uint8_t>(band * 60 + y % 48);
                p[1] = static_cast<uint8_t>(200 - band * 40);
                p[2] = static_cast<uint8_t>(band == 2 ? 255 : 90 + y % 48);
            }
        }
    }

private:
    std::vector<uint8_t> bytes_;
    TPixelRows rows_;
};

struct Tables {
    TBlendTable Red, Green, Blue;
    explicit Tables(double a) {
        BuildBlendTable(Red, a, 1.0);
        BuildBlendTable(Green, a, 1.0);
        BuildBlendTable(Blue, a, 1.0);
    }
    TBlendTables View() const { return {Red, Green, Blue}; }
};

// Runs of each measurement given on the command line; 0: the defaults.
int gRuns = 0;

// The best of several runs of work, in seconds: the least disturbed one.
double BestSeconds(const std::function<void()>& work, int runs) {
    if (gRuns > 0)
        runs = gRuns;
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(stop - start).count());
    }
    return best;
}

uint32_t Checksum(const std::vector<uint8_t>& bytes) {
    uint32_t sum = 0;
    for (uint8_t b : bytes) {
        sum = sum * 31 + b;
    }
    return sum;
}

void ComposeSizes(int32_t width, int32_t height, const Picture& screen, const Tables& glass,
                  const Tables& layered) {
    Picture picture(width, height), target(width, height);
    picture.PaintNoisy(width * 7 + height);
    const int runs = width > 1000 ? 5 : 10;
    auto copy = [&] {
        std::memcpy(target.Bytes().data(), picture.Bytes().data(), picture.Bytes().size());
    };
    const double copySeconds = BestSeconds(copy, runs);
    std::printf("%dx%d: plain copy %.3f ms\n", width, height, copySeconds * 1e3);
    for (int32_t shift : {0, 100}) {
        const double blend = BestSeconds(
            [&] {
                BlendPicture(picture.Rows(), screen.Rows(), 0, 0, target.Rows(), glass.View(),
                             shift);
            },
            runs);
        const double recolour = BestSeconds(
            [&] { RecolourPicture(picture.Rows(), target.Rows(), layered.View(), shift); }, runs);
        std::printf("  HueShift %3d: blend with the screen %8.3f ms = %7.1f x copy;"
                    " recolour only %8.3f ms = %7.1f x copy\n",
                    shift, blend * 1e3, blend / copySeconds, recolour * 1e3,
                    recolour / copySeconds);
    }
    std::printf("  (checksum %08x)\n", Checksum(target.Bytes()));
}

// A paint of the same picture again and again, as the glass form paints its skin: the
// rotation is made by the first paint and kept, so later paints only blend. Both paths
// are checked to give the bytes of a rotation at every composition.
void RepeatedPaints(int32_t width, int32_t height, const Picture& screen, const Tables& glass,
                    const Tables& layered) {
    Picture picture(width, height), target(width, height), fresh(width, height);
    picture.PaintNoisy(width * 3 + height);
    const int runs = width > 1000 ? 5 : 10;
    const int32_t shift = 100;
    std::printf("%dx%d, the same picture painted again:\n", width, height);
    for (const bool blend : {true, false}) {
        const TBlendTables tables = blend ? glass.View() : layered.View();
        const auto compose = [&](const TPixelRows& source, Picture& into, int32_t hueShift) {
            if (blend)
                BlendPicture(source, screen.Rows(), 0, 0, into.Rows(), tables, hueShift);
            else
                RecolourPicture(source, into.Rows(), tables, hueShift);
        };
        const double plain = BestSeconds([&] { compose(picture.Rows(), target, 0); }, runs);
        TRotatedPicture kept;
        const double first = BestSeconds(
            [&] {
                kept.Forget();
                compose(kept.Make(picture.Rows(), shift), target, 0);
            },
            1);
        const double again = BestSeconds(
            [&] {
                if (!kept.Holds(shift))
                    kept.Make(picture.Rows(), shift);
                compose(kept.Rows(), target, 0);
            },
            runs);
        compose(picture.Rows(), fresh, shift);
        std::printf("  %s: HueShift 0 %7.3f ms; HueShift %d first paint %7.3f ms, again %7.3f ms"
                    " = %.2f x HueShift 0 (results %s)\n",
                    blend ? "blend with the screen" : "recolour only       ", plain * 1e3, shift,
                    first * 1e3, again * 1e3, again / plain,
                    fresh.Bytes() == target.Bytes() ? "equal" : "DIFFER");
    }
}

void HuePaths(const char* kind, Picture& picture) {
    std::vector<uint8_t> work(picture.Bytes().size());
    const double formula = BestSeconds(
        [&] {
            std::memcpy(work.data(), picture.Bytes().data(), work.size());
            for (size_t i = 0; i + 2 < work.size(); i += 3) {
                ShiftHueByFormula(work[i + 2], work[i + 1], work[i], 100);
            }
        },
        3);
    const uint32_t formulaSum = Checksum(work);
    const double tables = BestSeconds(
        [&] {
            THueRotation rotation(100);
            rotation.RotatePixels(picture.Bytes().data(), work.data(),
                                  static_cast<int32_t>(work.size() / 3));
        },
        3);
    const uint32_t tablesSum = Checksum(work);
    const double pixels = double(work.size()) / 3;
    std::printf("hue rotation by 100, %s %dx%d: formulas %.1f ns/pixel, fast path %.1f "
                "ns/pixel: %.1f x faster (results %s)\n",
                kind, picture.Rows().Width, picture.Rows().Height, formula / pixels * 1e9,
                tables / pixels * 1e9, formula / tables,
                formulaSum == tablesSum ? "equal" : "DIFFER");
}

} // namespace

int main(int argc, char** argv) {
    gRuns = argc > 1 ? std::atoi(argv[1]) : 0;
    const auto glass = std::make_unique<Tables>(0.25);
    const auto layered = std::make_unique<Tables>(0.0);
    Picture screen(1920, 1080);
    screen.PaintNoisy(99);
    {
        // Width 640 has no row padding, so the bytes are exactly the pixels.
        Picture noisy(640, 480), skin(640, 480);
        noisy.PaintNoisy(12345);
        skin.PaintSkin();
        HuePaths("noisy picture", noisy);
        HuePaths("skin-like picture", skin);
    }
    ComposeSizes(640, 480, screen, *glass, *layered);
    ComposeSizes(1920, 1080, screen, *glass, *layered);
    RepeatedPaints(640, 480, screen, *glass, *layered);
    RepeatedPaints(1920, 1080, screen, *glass, *layered);
    return 0;
}
