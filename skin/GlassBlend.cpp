#include "skin/GlassBlend.h"

#include "framework/runtime/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#if defined(__SSE2__) || (defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__)))
#include <emmintrin.h>
#define OVALYN_GLASS_SSE2 1
#endif

// The hue results must be the same bytes wherever they are computed, so every double
// operation here is rounded to double as it happens. On 32-bit x86 the compiler would
// otherwise keep intermediates in 80-bit x87 registers and spill them at its whim, which
// makes two equal formulas disagree in the last bit. SSE2 arithmetic is plain IEEE double.
#if defined(__GNUC__) && !defined(__clang__) && defined(__i386__)
#pragma GCC target("sse2,fpmath=sse")
#endif

namespace {

// Round to nearest, ties to even, as the default floating-point mode does.
double RoundEven(double value) {
    return std::nearbyint(value);
}

// The fast path's rounding of a value known to fit 32 bits: the SSE2 conversion uses the
// current rounding mode, which is to nearest, ties to even.
inline int32_t RoundEvenToInt(double value) {
#ifdef OVALYN_GLASS_SSE2
    return _mm_cvtsd_si32(_mm_set_sd(value));
#else
    return static_cast<int32_t>(std::nearbyint(value));
#endif
}

// A channel fraction as a byte; outside 0..255 is a range error.
uint8_t ChannelByte(double fraction) {
    const double rounded = RoundEven(fraction * 255);
    if (!(rounded >= 0 && rounded <= 255)) {
        throw ERangeError();
    }
    return static_cast<uint8_t>(rounded);
}

// A hue, saturation or lightness fraction as an integer (all lie in 0..1 here).
int32_t UnitsOf(double fraction, int32_t fullTurn) {
    return static_cast<int32_t>(RoundEven(fraction * fullTurn));
}

int32_t AddChecked(int32_t a, int32_t b) {
    int32_t sum;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw EIntOverflow();
    }
    return sum;
}

} // namespace

void BuildBlendTable(TBlendTable& table, double a, double factor) {
    for (int b = 0; b < 256; ++b) {
        for (int p = 0; p < 256; ++p) {
            const double value = b * a + (1 - a) * p * factor;
            // Truncation toward zero lands in 0..255 exactly for values in (-1, 256).
            if (!(value > -1.0 && value < 256.0)) {
                throw ERangeError();
            }
            table[b][p] = static_cast<uint8_t>(static_cast<int>(value));
        }
    }
}

// --- Hue rotation by the formulas ------------------------------------------------------

void RGBToHSL(double r, double g, double b, double& h, double& s, double& l) {
    const double maximum = std::max(r, std::max(g, b));
    const double minimum = std::min(r, std::min(g, b));
    l = (maximum + minimum) / 2;
    if (maximum == minimum) {
        h = 0;
        s = 0;
        return;
    }
    const double d = maximum - minimum;
    s = l < 0.5 ? d / (maximum + minimum) : d / (2 - maximum - minimum);
    if (r == maximum) {
        h = (g - b) / d;
    } else if (g == maximum) {
        h = (b - r) / d + 2;
    } else {
        h = (r - g) / d + 4;
    }
    h = h / 6;
    if (h < 0) {
        h += 1;
    }
}

void WrapIntoRange(int32_t low, int32_t high, int32_t& value) {
    // One step only: a value more than one period outside stays outside.
    if (value > high) {
        value -= high;
    } else if (value < low) {
        value += high;
    }
}

// "(m2 - m1) x 6t" multiplies the difference by the product 6t; the falling ramp is
// evaluated left to right: ((m2 - m1) x (2/3 - t)) x 6.
uint8_t HueToChannel(double m1, double m2, double t) {
    if (t < 0) {
        t += 1;
    } else if (t > 1) {
        t -= 1;
    }
    double v;
    if (6 * t < 1) {
        v = m1 + (m2 - m1) * (6 * t);
    } else if (2 * t < 1) {
        v = m2;
    } else if (3 * t < 2) {
        v = m1 + (m2 - m1) * (2.0 / 3.0 - t) * 6;
    } else {
        v = m1;
    }
    return ChannelByte(v);
}

void HSLToRGB(double h, double s, double l, uint8_t& red, uint8_t& green, uint8_t& blue) {
    if (s == 0) {
        red = green = blue = ChannelByte(l);
        return;
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    red = HueToChannel(m1, m2, h + 1.0 / 3.0);
    green = HueToChannel(m1, m2, h);
    blue = HueToChannel(m1, m2, h - 1.0 / 3.0);
}

void ShiftHueByFormula(uint8_t& red, uint8_t& green, uint8_t& blue, int32_t hueShift) {
    double h, s, l;
    RGBToHSL(red / 255.0, green / 255.0, blue / 255.0, h, s, l);
    int32_t hue = UnitsOf(h, 358);
    const int32_t saturation = UnitsOf(s, 255);
    const int32_t lightness = UnitsOf(l, 255);
    hue = AddChecked(hue, hueShift);
    WrapIntoRange(0, 359, hue);
    HSLToRGB(hue / 358.0, saturation / 255.0, lightness / 255.0, red, green, blue);
}

// --- Hue rotation by tables ------------------------------------------------------------
//
// What the formulas compute, split by what each part depends on:
//  - saturation and lightness depend only on the largest and smallest channel: one
//    256 x 256 table each, filled by the formulas themselves;
//  - the hue needs the three channels, but only one subtraction, two divisions and a
//    multiplication of table values (k / 255 is looked up, not divided again);
//  - for a rotated hue in 0..359 (every hue a shift of -359..359 can produce) the place of
//    each channel on the hue ramp (rising, top, falling, bottom) and its ramp factor are
//    per-hue constants; top and bottom give Round(m2 x 255) and Round(m1 x 255), which
//    depend on saturation and lightness alone and come from two more tables.
// Every remaining operation is the formula's own, on the same operands, in the same
// order, so the results are the same doubles. Hues outside 0..359 take the formulas.

namespace {

enum class RampPlace : uint8_t { Rising, Top, Falling, Bottom };

struct RampStep {
    RampPlace Place;
    double Factor; // 6t on the rising ramp, 2/3 - t on the falling ramp
};

struct HueTables {
    double Fraction[256];         // k / 255
    uint8_t Grey[256];            // [lightness]: Round(l x 255), what saturation 0 gives
    uint8_t Saturation[256][256]; // [largest][smallest]
    uint8_t Lightness[256][256];  // [largest][smallest]
    uint8_t Bottom[256][256];     // [saturation][lightness]: Round(m1 x 255)
    uint8_t Top[256][256];        // [saturation][lightness]: Round(m2 x 255)
    RampStep Steps[360][3];       // [rotated hue][red, green, blue]
};

RampStep StepFor(double t) {
    if (t < 0) {
        t += 1;
    } else if (t > 1) {
        t -= 1;
    }
    if (6 * t < 1) {
        return {RampPlace::Rising, 6 * t};
    }
    if (2 * t < 1) {
        return {RampPlace::Top, 0};
    }
    if (3 * t < 2) {
        return {RampPlace::Falling, 2.0 / 3.0 - t};
    }
    return {RampPlace::Bottom, 0};
}

inline void RampLimits(const HueTables& tables, int saturation, int lightness, double& m1,
                       double& m2) {
    const double l = tables.Fraction[lightness];
    const double s = tables.Fraction[saturation];
    m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    m1 = 2 * l - m2;
}

HueTables* BuildHueTables() {
    auto* tables = new HueTables; // lives as long as the process; built once
    for (int k = 0; k < 256; ++k) {
        tables->Fraction[k] = k / 255.0;
    }
    for (int k = 0; k < 256; ++k) {
        tables->Grey[k] = ChannelByte(tables->Fraction[k]);
    }
    for (int largest = 0; largest < 256; ++largest) {
        for (int smallest = 0; smallest <= largest; ++smallest) {
            const double high = tables->Fraction[largest];
            const double low = tables->Fraction[smallest];
            double h, s, l;
            RGBToHSL(high, low, low, h, s, l);
            tables->Saturation[largest][smallest] = static_cast<uint8_t>(UnitsOf(s, 255));
            tables->Lightness[largest][smallest] = static_cast<uint8_t>(UnitsOf(l, 255));
        }
    }
    for (int saturation = 0; saturation < 256; ++saturation) {
        for (int lightness = 0; lightness < 256; ++lightness) {
            double m1, m2;
            RampLimits(*tables, saturation, lightness, m1, m2);
            tables->Bottom[saturation][lightness] = ChannelByte(m1);
            tables->Top[saturation][lightness] = ChannelByte(m2);
        }
    }
    for (int hue = 0; hue < 360; ++hue) {
        const double h = hue / 358.0;
        tables->Steps[hue][0] = StepFor(h + 1.0 / 3.0);
        tables->Steps[hue][1] = StepFor(h);
        tables->Steps[hue][2] = StepFor(h - 1.0 / 3.0);
    }
    return tables;
}

const HueTables& SharedHueTables() {
    static const HueTables* const tables = BuildHueTables();
    return *tables;
}

// One composition's hue rotation: the shift and the tables, applied per pixel.
class HueRotor {
public:
    explicit HueRotor(int32_t hueShift) : tables_(SharedHueTables()), shift_(hueShift) {}

    void Apply(uint8_t& red, uint8_t& green, uint8_t& blue) const {
        const int largest = std::max(red, std::max(green, blue));
        const int smallest = std::min(red, std::min(green, blue));
        const int lightness = tables_.Lightness[largest][smallest];
        if (largest == smallest) {
            // Hue 0 and saturation 0: the rotation cannot overflow, the grey stays.
            red = green = blue = tables_.Grey[lightness];
            return;
        }
        const int saturation = tables_.Saturation[largest][smallest];
        const double* fraction = tables_.Fraction;
        const double d = fraction[largest] - fraction[smallest];
        double h;
        if (red == largest) {
            h = (fraction[green] - fraction[blue]) / d;
        } else if (green == largest) {
            h = (fraction[blue] - fraction[red]) / d + 2;
        } else {
            h = (fraction[red] - fraction[green]) / d + 4;
        }
        h = h / 6;
        if (h < 0) {
            h += 1;
        }
        int32_t hue = AddChecked(RoundEvenToInt(h * 358), shift_);
        WrapIntoRange(0, 359, hue);
        if (hue < 0 || hue > 359) {
            HSLToRGB(hue / 358.0, fraction[saturation], fraction[lightness], red, green, blue);
            return;
        }
        if (saturation == 0) {
            red = green = blue = tables_.Grey[lightness];
            return;
        }
        double m1, m2;
        RampLimits(tables_, saturation, lightness, m1, m2);
        const RampStep* steps = tables_.Steps[hue];
        red = Channel(steps[0], m1, m2, saturation, lightness);
        green = Channel(steps[1], m1, m2, saturation, lightness);
        blue = Channel(steps[2], m1, m2, saturation, lightness);
    }

private:
    uint8_t Channel(const RampStep& step, double m1, double m2, int saturation,
                    int lightness) const {
        double v;
        switch (step.Place) {
        case RampPlace::Top:
            return tables_.Top[saturation][lightness];
        case RampPlace::Bottom:
            return tables_.Bottom[saturation][lightness];
        case RampPlace::Rising:
            v = m1 + (m2 - m1) * step.Factor;
            break;
        default:
            v = m1 + (m2 - m1) * step.Factor * 6;
            break;
        }
        const int32_t rounded = RoundEvenToInt(v * 255);
        if (static_cast<uint32_t>(rounded) > 255) {
            throw ERangeError();
        }
        return static_cast<uint8_t>(rounded);
    }

    const HueTables& tables_;
    int32_t shift_;
};

} // namespace

void ShiftHue(uint8_t& red, uint8_t& green, uint8_t& blue, int32_t hueShift) {
    HueRotor(hueShift).Apply(red, green, blue);
}

// --- Composition ------------------------------------------------------------------------

namespace {

template <bool Rotate>
void RecolourRows(const TPixelRows& picture, const TPixelRows& glass, const TBlendTables& tables,
                  int32_t hueShift) {
    const HueRotor rotor(Rotate ? hueShift : 0);
    const uint8_t* red = tables.Red[255];
    const uint8_t* green = tables.Green[255];
    const uint8_t* blue = tables.Blue[255];
    for (int32_t y = 0; y < picture.Height; ++y) {
        const uint8_t* source = picture.Pixel(0, y);
        uint8_t* target = glass.Pixel(0, y);
        for (int32_t x = 0; x < picture.Width; ++x, source += 3, target += 3) {
            uint8_t pb = source[0], pg = source[1], pr = source[2];
            if (Rotate) {
                rotor.Apply(pr, pg, pb);
            }
            target[0] = blue[pb];
            target[1] = green[pg];
            target[2] = red[pr];
        }
    }
}

template <bool Rotate>
void BlendRows(const TPixelRows& picture, const TPixelRows& background, int64_t originX,
               int64_t originY, const TVisibleRange& range, const TPixelRows& glass,
               const TBlendTables& tables, int32_t hueShift) {
    const HueRotor rotor(Rotate ? hueShift : 0);
    const auto backgroundX = static_cast<int32_t>(range.XFirst + originX);
    for (int32_t y = range.YFirst; y <= range.YLast; ++y) {
        const uint8_t* under = background.Pixel(backgroundX, static_cast<int32_t>(y + originY));
        const uint8_t* source = picture.Pixel(range.XFirst, y);
        uint8_t* target = glass.Pixel(range.XFirst, y);
        for (int32_t x = range.XFirst; x <= range.XLast;
             ++x, under += 3, source += 3, target += 3) {
            uint8_t pb = source[0], pg = source[1], pr = source[2];
            if (Rotate) {
                rotor.Apply(pr, pg, pb);
            }
            target[0] = tables.Blue[under[0]][pb];
            target[1] = tables.Green[under[1]][pg];
            target[2] = tables.Red[under[2]][pr];
        }
    }
}

} // namespace

void RecolourPicture(const TPixelRows& picture, const TPixelRows& glass, const TBlendTables& tables,
                     int32_t hueShift) {
    if (hueShift != 0) {
        RecolourRows<true>(picture, glass, tables, hueShift);
    } else {
        RecolourRows<false>(picture, glass, tables, 0);
    }
}

TVisibleRange VisibleRange(int32_t pictureWidth, int32_t pictureHeight, int32_t backgroundWidth,
                           int32_t backgroundHeight, int64_t originX, int64_t originY) {
    int64_t xLast = std::min<int64_t>(pictureWidth - 1, backgroundWidth - 1 - originX);
    int64_t yLast = std::min<int64_t>(pictureHeight - 1, backgroundHeight - 1 - originY);
    const int64_t xFirst = originX < 0 ? -originX : 0;
    const int64_t yFirst = originY < 0 ? -originY : 0;
    if (xLast < xFirst || yLast < yFirst) {
        return {};
    }
    // Within the picture now, so every bound fits 32 bits.
    return {static_cast<int32_t>(xFirst), static_cast<int32_t>(xLast), static_cast<int32_t>(yFirst),
            static_cast<int32_t>(yLast)};
}

void BlendPicture(const TPixelRows& picture, const TPixelRows& background, int64_t originX,
                  int64_t originY, const TPixelRows& glass, const TBlendTables& tables,
                  int32_t hueShift) {
    const TVisibleRange range = VisibleRange(picture.Width, picture.Height, background.Width,
                                             background.Height, originX, originY);
    if (range.Empty()) {
        return;
    }
    if (hueShift != 0) {
        BlendRows<true>(picture, background, originX, originY, range, glass, tables, hueShift);
    } else {
        BlendRows<false>(picture, background, originX, originY, range, glass, tables, 0);
    }
}
