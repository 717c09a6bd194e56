// Region building from skin pictures: the region builder of the skin library
// against subtracting one rectangle per run of invisible pixels, against one
// ExtCreateRegion call with every visible run, and against the floor: copying
// the finished region with one CombineRgn(RGN_COPY), which no way of building
// it can beat. Prints times and ratios measured in this run, and checks that
// all methods give one region.
//
// Run: scripts/wine-run build/<tree>/bench/bench_region_bench.exe [seconds]
// (the optional budget, default 60, bounds each slow method).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "skin/RegionBuilder.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t white = 0xFFFFFF;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A 24-bit picture, top row first.
struct Picture {
    int width;
    int height;
    std::vector<std::uint8_t> bytes;

    Picture(int w, int h) : width(w), height(h), bytes(static_cast<std::size_t>(w) * h * 3, 0xFF) {}
    void Set(int x, int y, std::uint32_t rgb) {
        std::uint8_t* p = &bytes[(static_cast<std::size_t>(y) * width + x) * 3];
        p[0] = static_cast<std::uint8_t>(rgb >> 16);
        p[1] = static_cast<std::uint8_t>(rgb >> 8);
        p[2] = static_cast<std::uint8_t>(rgb);
    }
    TPixelRows24 Rows() const { return {bytes.data(), width * 3, width, height}; }
};

Picture Noise(int w, int h) {
    Picture picture(w, h);
    std::uint32_t state = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            if ((state >> 16) & 1)
                picture.Set(x, y, 0x203040);
        }
    return picture;
}

Picture EllipseWithHoles(int w, int h) {
    Picture picture(w, h);
    const double cx = w / 2.0, cy = h / 2.0, hole = h / 9.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5 - cx) / cx, dy = (y + 0.5 - cy) / cy;
            if (dx * dx + dy * dy > 1.0)
                continue;
            bool inHole = false;
            for (int i = -1; i <= 1; ++i) {
                const double hx = x + 0.5 - (cx + i * cx / 2), hy = y + 0.5 - cy;
                inHole = inHole || hx * hx + hy * hy < hole * hole;
            }
            if (!inHole)
                picture.Set(x, y, 0x0000C0);
        }
    return picture;
}

// Black text in a real font on white, line after line.
Picture Text(int w, int h) {
    Picture picture(w, h);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down, like Picture
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT font = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, "Arial");
    if (!dc || !bitmap || !font) {
        std::fprintf(stderr, "text picture: GDI objects could not be created\n");
        std::exit(1);
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    const std::string line = "The quick brown fox jumps over the lazy dog 0123456789 ";
    for (int y = 0; y < h; y += 22)
        for (int x = 0; x < w; x += 500)
            TextOutA(dc, x, y, line.c_str(), static_cast<int>(line.size()));
    GdiFlush();
    const int stride = (w * 3 + 3) & ~3;
    for (int y = 0; y < h; ++y)
        std::copy_n(static_cast<const std::uint8_t*>(bits) + static_cast<std::size_t>(y) * stride,
                    w * 3, &picture.bytes[static_cast<std::size_t>(y) * w * 3]);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

bool Invisible(const std::uint8_t* p) {
    return PixelColorValue(p) == white;
}

// Full rectangle minus one rectangle per invisible run; gives up (nullopt)
// once the budget is spent.
std::optional<HRGN> BySubtraction(const TPixelRows24& rows, double budget, long& runs) {
    const auto start = Clock::now();
    HRGN work = CreateRectRgn(0, 0, rows.Width, rows.Height);
    runs = 0;
    for (int y = 0; y < rows.Height; ++y) {
        const std::uint8_t* row = rows.Row(y);
        int x = 0;
        while (x < rows.Width) {
            while (x < rows.Width && !Invisible(row + 3 * x))
                ++x;
            if (x == rows.Width)
                break;
            const int runStart = x;
            while (x < rows.Width && Invisible(row + 3 * x))
                ++x;
            HRGN cut = CreateRectRgn(runStart, y, x, y + 1);
            CombineRgn(work, work, cut, RGN_DIFF);
            DeleteObject(cut);
            ++runs;
        }
        if ((y & 7) == 0 && SecondsSince(start) > budget) {
            DeleteObject(work);
            return std::nullopt;
        }
    }
    return work;
}

std::vector<RECT> VisibleRuns(const TPixelRows24& rows) {
    std::vector<RECT> rects;
    for (int y = 0; y < rows.Height; ++y) {
        const std::uint8_t* row = rows.Row(y);
        int x = 0;
        while (x < rows.Width) {
            while (x < rows.Width && Invisible(row + 3 * x))
                ++x;
            if (x == rows.Width)
                break;
            const int runStart = x;
            while (x < rows.Width && !Invisible(row + 3 * x))
                ++x;
            rects.push_back({runStart, y, x, y + 1});
        }
    }
    return rects;
}

HRGN ByOneExtCreateRegion(const std::vector<RECT>& rects, int w, int h) {
    std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    data->rdh.rcBound = {0, 0, w, h};
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data->Buffer));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

// Time of the one-call method, calibrated on the first picture it runs on:
// it grows with the square of the rectangle count under Wine.
struct QuadraticEstimate {
    double secondsPerRectSquared = 0;
    double For(std::size_t rects) const {
        return secondsPerRectSquared * static_cast<double>(rects) * static_cast<double>(rects);
    }
};

// The fastest of a few copies of the finished region into a fresh one.
double CopySeconds(HRGN finished) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        const auto start = Clock::now();
        const int kind = CombineRgn(copy, finished, nullptr, RGN_COPY);
        best = std::min(best, SecondsSince(start));
        if (kind == ERROR || !EqualRgn(copy, finished)) {
            std::fprintf(stderr, "copying the region failed\n");
            std::exit(1);
        }
        DeleteObject(copy);
    }
    return best;
}

void Measure(const char* name, const Picture& picture, double budget, QuadraticEstimate& estimate) {
    const TPixelRows24 rows = picture.Rows();

    // The builder's best of three runs, like the copy's best of five.
    SkinRegion built;
    double builderSeconds = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        built = BuildVisibleRegion(rows, white);
        builderSeconds = std::min(builderSeconds, SecondsSince(start));
    }
    const double floorSeconds = CopySeconds(built.get());

    const std::vector<RECT> rects = VisibleRuns(rows);
    auto start = Clock::now();
    std::string oneCall = "skipped";
    if (estimate.secondsPerRectSquared == 0 || estimate.For(rects.size()) < budget) {
        start = Clock::now();
        HRGN region = ByOneExtCreateRegion(rects, picture.width, picture.height);
        const double seconds = SecondsSince(start);
        if (estimate.secondsPerRectSquared == 0 && rects.size() > 1000)
            estimate.secondsPerRectSquared =
                seconds / (static_cast<double>(rects.size()) * static_cast<double>(rects.size()));
        char text[96];
        std::snprintf(text, sizeof text, "%9.3f s  x%7.1f%s", seconds, seconds / builderSeconds,
                      region && EqualRgn(region, built.get()) ? "" : "  DIFFERENT REGION");
        oneCall = text;
        DeleteObject(region);
    } else {
        char text[96];
        std::snprintf(text, sizeof text, "skipped (about %.0f s)", estimate.For(rects.size()));
        oneCall = text;
    }

    long runs = 0;
    start = Clock::now();
    std::optional<HRGN> subtracted = BySubtraction(rows, budget, runs);
    const double subtractionSeconds = SecondsSince(start);
    char subtraction[96];
    if (subtracted) {
        std::snprintf(subtraction, sizeof subtraction, "%9.3f s  x%7.1f%s", subtractionSeconds,
                      subtractionSeconds / builderSeconds,
                      EqualRgn(*subtracted, built.get()) ? "" : "  DIFFERENT REGION");
        DeleteObject(*subtracted);
    } else {
        std::snprintf(subtraction, sizeof subtraction, "stopped after %.0f s", subtractionSeconds);
    }
    std::printf("%-24s %7zu rects  builder %8.4f s | copy %9.6f s  builder/copy x%7.1f | "
                "subtraction %-30s | one ExtCreateRegion %s\n",
                name, rects.size(), builderSeconds, floorSeconds, builderSeconds / floorSeconds,
                subtraction, oneCall.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const double budget = argc > 1 ? std::atof(argv[1]) : 60.0;
    std::printf(
        "Region building. copy: one CombineRgn(RGN_COPY) of the finished region, best of 5;\n"
        "builder/copy is the builder's time over it. The ratios after subtraction and\n"
        "ExtCreateRegion are that method's time over the builder's.\n");
    // The first region calls of a process pay for setting up GDI; not the method's cost.
    (void)BuildVisibleRegion(Noise(64, 64).Rows(), white);
    QuadraticEstimate estimate;
    Measure("noise 512x512", Noise(512, 512), budget, estimate);
    for (auto [w, h] : {std::pair{640, 480}, {1920, 1080}}) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        Measure(("ellipse+holes " + size).c_str(), EllipseWithHoles(w, h), budget, estimate);
        Measure(("noise 50% " + size).c_str(), Noise(w, h), budget, estimate);
        Measure(("text " + size).c_str(), Text(w, h), budget, estimate);
    }
    return 0;
}
