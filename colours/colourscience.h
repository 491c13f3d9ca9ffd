// The colour arithmetic that judges a palette: WCAG relative luminance and contrast, CIELAB
// and the CIEDE2000 difference, and how a colour looks to a dichromat (Machado, Oliveira
// and Fernandes 2009, full severity, applied in linear RGB). Plain maths on sRGB triples;
// what counts as distinct enough is the palette's business.
#pragma once

#include <array>

namespace colour {

// Channels from 0 to 1: gamma-encoded sRGB, or linear light.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

// CIE 1976 L*a*b*, D65 white.
struct Lab {
    double L = 0, a = 0, b = 0;
};

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr std::array<Vision, 4> kVisions = {Vision::Normal, Vision::Protanopia,
                                            Vision::Deuteranopia, Vision::Tritanopia};
const char *visionName(Vision vision);

// 0xRRGGBB to channels from 0 to 1.
Rgb fromRgb24(unsigned rgb);

double toLinear(double encoded);
double toEncoded(double linear);

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(Rgb srgb);
// (lighter + 0.05) / (darker + 0.05): 1 to 21.
double contrastRatio(Rgb first, Rgb second);

Lab toLab(Rgb srgb);
// CIEDE2000 with kL = kC = kH = 1.
double ciede2000(const Lab &first, const Lab &second);

// The sRGB colour a viewer with `vision` sees instead of `srgb`, clipped to the gamut.
Rgb simulate(Rgb srgb, Vision vision);

// The CIEDE2000 difference of two sRGB colours as a viewer with `vision` sees them.
double difference(Rgb first, Rgb second, Vision vision);

} // namespace colour
