#pragma once

#include <array>
#include <cstdint>

// The overview's colours: 0 white, positive values blue and negative ones
// orange, each darker with the logarithm of the magnitude up to the largest
// of its sign shown, and missing values mid grey. Blue and orange stay apart under
// red-green colour blindness, and at any magnitude the blue is darker than
// the orange, so the signs differ in lightness too.

namespace quib {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The values a colour scale runs between: the lowest and the highest of
// those that are not missing, with 0 (no value of a sign: 0).
struct ColourEnds {
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
    friend bool operator==(const ColourEnds&, const ColourEnds&) = default;
};

class ColourScale {
  public:
    // The smallest magnitude, 1, still stands this far from white.
    static constexpr double kLeastShade = 0.25;
    static constexpr Rgb kMissing{128, 128, 128};
    static constexpr Rgb kZero{255, 255, 255};

    // For values from ends.lowest to ends.highest; beyond, the darkest.
    explicit ColourScale(ColourEnds ends);

    Rgb Of(std::int64_t value) const;

    // The colour of a sign at `shade` from kLeastShade (magnitude 1) to 1
    // (the largest): for a colour key.
    static Rgb Shade(bool negative, double shade);

  private:
    // 1 / log(1 + the largest magnitude), of each sign.
    double m_perLogNegative;
    double m_perLogPositive;
};

} // namespace quib
