#include "ToneAnalysis.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

std::vector<Tone> FindTones(const std::vector<std::int16_t>& samples, int sampleRate) {
    constexpr int kThreshold = 1000;
    const std::size_t gap = static_cast<std::size_t>(sampleRate / 100);
    std::vector<Tone> tones;
    std::size_t k = 0;
    while (k < samples.size()) {
        if (std::abs(samples[k]) <= kThreshold) {
            ++k;
            continue;
        }
        const std::size_t first = k;
        std::size_t last = k;
        for (; k < samples.size() && k - last <= gap; ++k) {
            if (std::abs(samples[k]) > kThreshold)
                last = k;
        }
        // Frequency from the zero crossings between the first and last one,
        // interpolated between samples, so that the fades do not count.
        double firstCrossing = -1;
        double lastCrossing = -1;
        int crossings = 0;
        for (std::size_t j = first + 1; j <= last; ++j) {
            const int a = samples[j - 1];
            const int b = samples[j];
            if ((a < 0) != (b < 0)) {
                const double at = static_cast<double>(j - 1) + static_cast<double>(a) / (a - b);
                if (firstCrossing < 0)
                    firstCrossing = at;
                lastCrossing = at;
                ++crossings;
            }
        }
        const double span = (lastCrossing - firstCrossing) / sampleRate;
        const double frequency = crossings > 1 ? (crossings - 1) / 2.0 / span : 0.0;
        tones.push_back({1000.0 * static_cast<double>(first) / sampleRate,
                         1000.0 * static_cast<double>(last - first + 1) / sampleRate, frequency});
    }
    return tones;
}

std::vector<std::int16_t> ReadSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * k]) |
                                               static_cast<std::uint8_t>(bytes[2 * k + 1]) << 8);
    return samples;
}
