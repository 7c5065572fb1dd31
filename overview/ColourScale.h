#pragma once

#include <array>
#include <cstdint>

// The overview's colours: 0 white, positive values blue and negative ones
// orange, each darker with the logarithm of the magnitude up to the largest
// one shown, and missing values mid grey. Blue and orange stay apart under
// red-green colour blindness, and at any magnitude the blue is darker than
// the orange, so the signs differ in lightness too.

namespace quib {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class ColourScale {
  public:
    // The smallest magnitude, 1, still stands this far from white.
    static constexpr double kLeastShade = 0.25;
    static constexpr Rgb kMissing{128, 128, 128};
    static constexpr Rgb kZero{255, 255, 255};

    // For values up to `largest` in magnitude; larger ones take the darkest.
    explicit ColourScale(std::int64_t largest);

    std::int64_t Largest() const { return m_largest; }

    Rgb Of(std::int64_t value) const;

    // The colour of a sign at `shade` from kLeastShade (magnitude 1) to 1
    // (the largest): for a colour key.
    static Rgb Shade(bool negative, double shade);

  private:
    std::int64_t m_largest;
    double m_perLog; // 1 / log(1 + largest)
};

} // namespace quib
