#include "skin/GlassHue.h"

#include "framework/runtime/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// The fast path's rounding of a value known to lie well inside 32 bits: adding and
// taking away 1.5 x 2^52 leaves no fraction bits, so the addition itself rounds to
// nearest, ties to even, in the default mode, without a library call.
constexpr double kShifter = 6755399441055744.0;
inline double RoundEvenFast(double value) {
    return (value + kShifter) - kShifter;
}

// A channel fraction as a byte; outside 0..255 is a range error.
uint8_t ChannelByte(double fraction) {
    const double rounded = RoundEven(fraction * 255);
    if (!(rounded >= 0 && rounded <= 255)) {
        throw ERangeError();
    }
    return static_cast<uint8_t>(rounded);
}

// A hue, saturation or lightness fraction (0..1) as whole units.
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

// --- The formulas -------------------------------------------------------------------------

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

namespace {

// Steps 1 and 2 of the rotation: the colour's hue in units.
int32_t HueUnitsByFormula(uint8_t red, uint8_t green, uint8_t blue) {
    double h, s, l;
    RGBToHSL(red / 255.0, green / 255.0, blue / 255.0, h, s, l);
    return UnitsOf(h, 358);
}

} // namespace

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

// --- The fast rotation ----------------------------------------------------------------------
//
// What the formulas compute, split by what each part depends on:
//  - Saturation and lightness depend only on the largest and the smallest channel: two
//    256 x 256 tables, filled by the formulas themselves.
//  - The hue in units is Round(358 n / 6d) for the integers d = largest - smallest and
//    n = the channel difference of the colour's sextant plus 0, 2d or 4d (plus 6d when
//    negative). The formulas reach that value through doubles with an error below 1e-12,
//    and a fraction n / 6d that is not exactly one half away from an integer is at least
//    1 / 1530 away from it, so both round alike; only exact halves, where the error
//    decides, take the formulas. One multiplication by a tabled 358 / 6d replaces two
//    divisions.
//  - For a rotated hue in 0..359 (every hue a shift of one turn or less can produce) the
//    place of each channel on the ramp (rising, top, falling, bottom) and its ramp factor
//    are per-hue constants. Top and bottom give Round(m2 x 255) and Round(m1 x 255), which
//    depend on saturation and lightness alone: two more tables. At nearly every hue one
//    channel is on top, one at the bottom and one on a ramp, which is then the only
//    channel computed, with the formula's operations on the formula's operands.
// Hues outside 0..359 take the formulas, which also raise their errors.

namespace {

enum class RampPlace : uint8_t { Rising, Top, Falling, Bottom };

struct RampStep {
    RampPlace Place;
    double Factor; // 6t on the rising ramp, 2/3 - t on the falling ramp
};

// Where the channels of one rotated hue lie, as byte offsets in a blue, green, red pixel.
struct HuePattern {
    RampStep Steps[3]; // [blue, green, red]
    bool Regular;      // one channel on top, one at the bottom, one on a ramp
    uint8_t TopAt, BottomAt, RampAt;
    double Factor, Scale; // ramp value m1 + ((m2 - m1) x Factor) x Scale
};

struct HueTables {
    double Fraction[256];         // k / 255
    double UnitsPerSixth[256];    // [d]: 358 / 6d
    uint8_t Grey[256];            // [lightness]: Round(l x 255), what saturation 0 gives
    uint8_t Saturation[256][256]; // [largest][smallest]
    uint8_t Lightness[256][256];  // [largest][smallest]
    uint8_t Bottom[256][256];     // [saturation][lightness]: Round(m1 x 255)
    uint8_t Top[256][256];        // [saturation][lightness]: Round(m2 x 255)
    HuePattern Patterns[360];     // [rotated hue]
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

HuePattern PatternFor(int hue) {
    const double h = hue / 358.0;
    HuePattern pattern{};
    pattern.Steps[0] = StepFor(h - 1.0 / 3.0); // blue
    pattern.Steps[1] = StepFor(h);             // green
    pattern.Steps[2] = StepFor(h + 1.0 / 3.0); // red
    int tops = 0, bottoms = 0, ramps = 0;
    for (uint8_t at = 0; at < 3; ++at) {
        const RampStep& step = pattern.Steps[at];
        switch (step.Place) {
        case RampPlace::Top:
            pattern.TopAt = at;
            ++tops;
            break;
        case RampPlace::Bottom:
            pattern.BottomAt = at;
            ++bottoms;
            break;
        default:
            pattern.RampAt = at;
            pattern.Factor = step.Factor;
            // Multiplying by 1 is exact, so the rising ramp's single product is kept.
            pattern.Scale = step.Place == RampPlace::Rising ? 1.0 : 6.0;
            ++ramps;
            break;
        }
    }
    pattern.Regular = tops == 1 && bottoms == 1 && ramps == 1;
    return pattern;
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
        tables->UnitsPerSixth[k] = k == 0 ? 0.0 : 358.0 / (6.0 * k);
    }
    for (int k = 0; k < 256; ++k) {
        tables->Grey[k] = ChannelByte(tables->Fraction[k]);
    }
    for (int largest = 0; largest < 256; ++largest) {
        for (int smallest = 0; smallest <= largest; ++smallest) {
            double h, s, l;
            RGBToHSL(tables->Fraction[largest], tables->Fraction[smallest],
                     tables->Fraction[smallest], h, s, l);
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
        tables->Patterns[hue] = PatternFor(hue);
    }
    return tables;
}

const HueTables& Tables() {
    static const HueTables* const tables = BuildHueTables();
    return *tables;
}

uint8_t RampByte(double m1, double m2, double factor, double scale) {
    const double v = m1 + (m2 - m1) * factor * scale;
    const double rounded = RoundEvenFast(v * 255);
    if (!(rounded >= 0 && rounded <= 255)) {
        throw ERangeError();
    }
    return static_cast<uint8_t>(rounded);
}

uint8_t StepByte(const RampStep& step, double m1, double m2, int saturation, int lightness) {
    const HueTables& tables = Tables();
    switch (step.Place) {
    case RampPlace::Top:
        return tables.Top[saturation][lightness];
    case RampPlace::Bottom:
        return tables.Bottom[saturation][lightness];
    case RampPlace::Rising:
        return RampByte(m1, m2, step.Factor, 1.0);
    default:
        return RampByte(m1, m2, step.Factor, 6.0);
    }
}

// Colours met before in one rotation: a direct-mapped memory of 4096 entries.
constexpr uint32_t kRememberedBits = 12;
constexpr uint32_t kNothing = 0xFFFFFFFFu;

inline uint32_t SlotOf(uint32_t colour) {
    return (colour * 2654435761u) >> (32 - kRememberedBits);
}

} // namespace

struct THueRotation::Remembered {
    uint32_t Colour = kNothing; // blue | green << 8 | red << 16
    uint8_t Blue = 0, Green = 0, Red = 0;
};

THueRotation::THueRotation(int32_t hueShift)
    : shift_(hueShift), remembered_(new Remembered[1u << kRememberedBits]) {
    Tables();
    for (int32_t hue = 0; hue < 359; ++hue) {
        int32_t rotated;
        if (__builtin_add_overflow(hue, hueShift, &rotated)) {
            rotated_[hue] = -1;
            continue;
        }
        WrapIntoRange(0, 359, rotated);
        rotated_[hue] = rotated >= 0 && rotated <= 359 ? static_cast<int16_t>(rotated) : -1;
    }
}

THueRotation::~THueRotation() = default;

void THueRotation::Compute(uint8_t& red, uint8_t& green, uint8_t& blue) const {
    const HueTables& tables = Tables();
    const int largest = std::max(red, std::max(green, blue));
    const int smallest = std::min(red, std::min(green, blue));
    const int lightness = tables.Lightness[largest][smallest];
    if (largest == smallest) {
        // Hue 0 plus a shift cannot overflow, and saturation 0 gives the grey back.
        red = green = blue = tables.Grey[lightness];
        return;
    }
    const int saturation = tables.Saturation[largest][smallest];
    const int d = largest - smallest;
    int n;
    if (red == largest) {
        n = green - blue;
    } else if (green == largest) {
        n = blue - red + 2 * d;
    } else {
        n = red - green + 4 * d;
    }
    if (n < 0) {
        n += 6 * d;
    }
    const double units = n * tables.UnitsPerSixth[d];
    const double nearest = RoundEvenFast(units);
    const int32_t hue = std::fabs(std::fabs(units - nearest) - 0.5) < 1e-6
                            ? HueUnitsByFormula(red, green, blue)
                            : static_cast<int32_t>(nearest);
    const int32_t rotated = rotated_[hue];
    if (rotated < 0) {
        int32_t far = AddChecked(hue, shift_);
        WrapIntoRange(0, 359, far);
        HSLToRGB(far / 358.0, tables.Fraction[saturation], tables.Fraction[lightness], red, green,
                 blue);
        return;
    }
    if (saturation == 0) {
        red = green = blue = tables.Grey[lightness];
        return;
    }
    double m1, m2;
    RampLimits(tables, saturation, lightness, m1, m2);
    const HuePattern& pattern = tables.Patterns[rotated];
    uint8_t bgr[3];
    if (pattern.Regular) {
        bgr[pattern.TopAt] = tables.Top[saturation][lightness];
        bgr[pattern.BottomAt] = tables.Bottom[saturation][lightness];
        bgr[pattern.RampAt] = RampByte(m1, m2, pattern.Factor, pattern.Scale);
    } else {
        for (int at = 0; at < 3; ++at) {
            bgr[at] = StepByte(pattern.Steps[at], m1, m2, saturation, lightness);
        }
    }
    blue = bgr[0];
    green = bgr[1];
    red = bgr[2];
}

void THueRotation::Apply(uint8_t& red, uint8_t& green, uint8_t& blue) {
    const uint32_t colour = blue | uint32_t(green) << 8 | uint32_t(red) << 16;
    Remembered& slot = remembered_[SlotOf(colour)];
    if (slot.Colour != colour) {
        uint8_t r = red, g = green, b = blue;
        Compute(r, g, b); // may raise: then nothing is remembered
        slot.Colour = colour;
        slot.Blue = b;
        slot.Green = g;
        slot.Red = r;
    }
    red = slot.Red;
    green = slot.Green;
    blue = slot.Blue;
}

void THueRotation::RotatePixels(const uint8_t* source, uint8_t* target, int32_t count) {
    for (int32_t i = 0; i < count; ++i, source += 3, target += 3) {
        uint8_t blue = source[0], green = source[1], red = source[2];
        Apply(red, green, blue);
        target[0] = blue;
        target[1] = green;
        target[2] = red;
    }
}
