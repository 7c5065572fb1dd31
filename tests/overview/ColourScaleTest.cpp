// The overview's colours as people with protanopia and deuteranopia see
// them, simulated with the matrices of Machado, Oliveira and Fernandes
// (2009, severity 1) in linear RGB, and compared in CIELAB.

#include "ColourScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace quib;

struct Lab {
    double l, a, b;
};

using Matrix = double[3][3];
constexpr Matrix kNormal = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
constexpr Matrix kProtanopia = {{0.152286, 1.052583, -0.204868},
                                {0.114503, 0.786281, 0.099216},
                                {-0.003882, -0.048116, 1.051998}};
constexpr Matrix kDeuteranopia = {{0.367322, 0.860646, -0.227968},
                                  {0.280085, 0.672501, 0.047413},
                                  {-0.011820, 0.042940, 0.968881}};
struct Vision {
    const char* name;
    const Matrix& matrix;
};
const Vision kVisions[] = {
    {"normal", kNormal}, {"protanopia", kProtanopia}, {"deuteranopia", kDeuteranopia}};

double Linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colour as seen with `vision`, in CIELAB (D65).
Lab Seen(const Rgb& rgb, const Vision& vision) {
    const double in[3] = {Linear(rgb.r), Linear(rgb.g), Linear(rgb.b)};
    double lin[3];
    for (int i = 0; i < 3; ++i) {
        lin[i] = 0;
        for (int j = 0; j < 3; ++j)
            lin[i] += vision.matrix[i][j] * in[j];
        lin[i] = std::fmin(1, std::fmax(0, lin[i]));
    }
    const double x = (0.4124 * lin[0] + 0.3576 * lin[1] + 0.1805 * lin[2]) / 0.95047;
    const double y = 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2];
    const double z = (0.0193 * lin[0] + 0.1192 * lin[1] + 0.9505 * lin[2]) / 1.08883;
    const auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Difference(const Lab& p, const Lab& q) {
    return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b);
}

constexpr std::int64_t kLargest = 1000000;
const std::int64_t kMagnitudes[] = {1, 2, 3, 10, 100, 1000, 10000, 100000, kLargest};

// Same magnitude, other sign: apart in colour and in lightness (the
// positive darker) for all three visions.
TEST(ColourScale, SignsOfEqualMagnitudeStayApartUnderColourBlindness) {
    const ColourScale scale({-kLargest, kLargest});
    for (const Vision& vision : kVisions)
        for (const std::int64_t m : kMagnitudes) {
            const Lab positive = Seen(scale.Of(m), vision);
            const Lab negative = Seen(scale.Of(-m), vision);
            EXPECT_GE(Difference(positive, negative), 20) << vision.name << " " << m;
            EXPECT_GE(negative.l - positive.l, 6) << vision.name << " " << m;
        }
}

TEST(ColourScale, MissingGreyAndZeroWhiteStandApartFromEveryShade) {
    const Rgb white = ColourScale({-kLargest, kLargest}).Of(0);
    EXPECT_EQ(white, ColourScale::kZero);
    for (const Vision& vision : kVisions) {
        const Lab grey = Seen(ColourScale::kMissing, vision);
        EXPECT_GE(Difference(grey, Seen(white, vision)), 20) << vision.name;
        for (int step = 0; step <= 100; ++step) {
            const double shade =
                ColourScale::kLeastShade + (1 - ColourScale::kLeastShade) * step / 100;
            for (const bool negative : {false, true}) {
                const Lab seen = Seen(ColourScale::Shade(negative, shade), vision);
                EXPECT_GE(Difference(seen, grey), 20) << vision.name << " " << shade;
                EXPECT_GE(Difference(seen, Seen(white, vision)), 12) << vision.name << " " << shade;
            }
        }
    }
}

// Darker with every step of the logarithm, up to the end of its sign and no
// further: each sign has its own end.
TEST(ColourScale, DarkerWithTheMagnitudeUpToTheEndOfItsSign) {
    const ColourScale scale({-kLargest, kLargest});
    for (const int sign : {1, -1}) {
        double lighter = 101;
        for (const std::int64_t m : kMagnitudes) {
            const double l = Seen(scale.Of(sign * m), kVisions[0]).l;
            EXPECT_LT(l, lighter) << sign * m;
            lighter = l;
        }
        EXPECT_EQ(scale.Of(sign * kLargest), ColourScale::Shade(sign < 0, 1));
        EXPECT_EQ(scale.Of(sign * kLargest * 1000), scale.Of(sign * kLargest));
    }
    const ColourScale uneven({-100, kLargest});
    EXPECT_EQ(uneven.Of(-100), ColourScale::Shade(true, 1));
    EXPECT_EQ(uneven.Of(100), scale.Of(100));
    EXPECT_EQ(ColourScale({}).Of(1), ColourScale::Shade(false, 1));
    EXPECT_EQ(ColourScale({}).Of(-1), ColourScale::Shade(true, 1));
}

} // namespace
