// The glass form's hue rotation. A full hue turn is 358 units when hue fractions become
// integers and back; the rotated hue is folded into 0..359 with a period of 359. Every
// rounding is to nearest, ties to even. Builds in both trees (no <windows.h>).
#pragma once

#include <cstdint>
#include <memory>

// The conversion steps, written out as the rotation is defined. They are the reference
// the fast rotation below is checked against. RGBToHSL takes channel fractions 0..1.
void RGBToHSL(double r, double g, double b, double& h, double& s, double& l);
void WrapIntoRange(int32_t low, int32_t high, int32_t& value);
// The channel byte Round(v x 255) for the ramp position t; outside 0..255 is ERangeError.
uint8_t HueToChannel(double m1, double m2, double t);
void HSLToRGB(double h, double s, double l, uint8_t& red, uint8_t& green, uint8_t& blue);

// The rotation done step by step with the functions above. Raises EIntOverflow when the
// pixel's hue plus the shift leaves 32 bits, ERangeError when a channel leaves 0..255.
void ShiftHueByFormula(uint8_t& red, uint8_t& green, uint8_t& blue, int32_t hueShift);

// The same rotation, byte for byte and error for error, for many pixels: the per-colour
// work is reduced to table look-ups and a few operations, and the colours already met in
// this rotation are remembered. The shared tables (about 290 KiB) are built once per process.
class THueRotation {
public:
    explicit THueRotation(int32_t hueShift);
    ~THueRotation();
    THueRotation(const THueRotation&) = delete;
    THueRotation& operator=(const THueRotation&) = delete;

    void Apply(uint8_t& red, uint8_t& green, uint8_t& blue);
    // Rotates count pixels of three bytes blue, green, red; source and target may be equal.
    void RotatePixels(const uint8_t* source, uint8_t* target, int32_t count);

private:
    struct Remembered;
    void Compute(uint8_t& red, uint8_t& green, uint8_t& blue) const;

    int32_t shift_;
    int16_t rotated_[359]; // hue 0..358 -> rotated hue 0..359, or -1: take the formulas
    std::unique_ptr<Remembered[]> remembered_;
};
