#include "ColourScale.h"

#include <algorithm>
#include <cmath>

namespace quib {

namespace {

struct Lab {
    double l, a, b;
};

// The darkest of each sign in CIELAB (D65): blue about #00317e and orange
// about #c75e04, lighter by 32 so that the signs differ in lightness at every
// magnitude. The shades lie on the straight line from white.
constexpr Lab kDarkestPositive{20, 10, -52};
constexpr Lab kDarkestNegative{52, 38, 60};
constexpr int kSteps = 256;

std::uint8_t Encoded(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    const double encoded =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return std::uint8_t(std::lround(encoded * 255));
}

Rgb FromLab(const Lab& lab) {
    const auto inverse = [](double f) {
        constexpr double kEpsilon = 216.0 / 24389, kKappa = 24389.0 / 27;
        return f * f * f > kEpsilon ? f * f * f : (116 * f - 16) / kKappa;
    };
    const double fy = (lab.l + 16) / 116;
    const double x = 0.95047 * inverse(fy + lab.a / 500);
    const double y = inverse(fy);
    const double z = 1.08883 * inverse(fy - lab.b / 200);
    return {Encoded(3.2406 * x - 1.5372 * y - 0.4986 * z),
            Encoded(-0.9689 * x + 1.8758 * y + 0.0415 * z),
            Encoded(0.0557 * x - 0.2040 * y + 1.0570 * z)};
}

Rgb Blend(const Lab& darkest, double shade) {
    return FromLab({100 + shade * (darkest.l - 100), shade * darkest.a, shade * darkest.b});
}

struct Ramps {
    std::array<Rgb, kSteps> positive, negative;
};

const Ramps& ShadeRamps() {
    static const Ramps ramps = [] {
        Ramps r;
        for (int k = 0; k < kSteps; ++k) {
            r.positive[std::size_t(k)] = Blend(kDarkestPositive, double(k) / (kSteps - 1));
            r.negative[std::size_t(k)] = Blend(kDarkestNegative, double(k) / (kSteps - 1));
        }
        return r;
    }();
    return ramps;
}

} // namespace

namespace {

double PerLog(double largest) {
    return 1 / std::log1p(std::max(largest, 1.0));
}

} // namespace

ColourScale::ColourScale(ColourEnds ends)
    : m_perLogNegative(PerLog(-double(ends.lowest))),
      m_perLogPositive(PerLog(double(ends.highest))) {
    ShadeRamps();
}

Rgb ColourScale::Shade(bool negative, double shade) {
    const Ramps& ramps = ShadeRamps();
    const auto step = std::size_t(std::lround(std::clamp(shade, 0.0, 1.0) * (kSteps - 1)));
    return negative ? ramps.negative[step] : ramps.positive[step];
}

Rgb ColourScale::Of(std::int64_t value) const {
    if (value == 0)
        return kZero;
    const double magnitude = std::fabs(double(value));
    const double fraction =
        std::min(1.0, std::log1p(magnitude) * (value < 0 ? m_perLogNegative : m_perLogPositive));
    return Shade(value < 0, kLeastShade + (1 - kLeastShade) * fraction);
}

} // namespace quib
