#include "DataGenerator.h"

#include "Random.h"

#include <charconv>

namespace {

std::int64_t RealisticValue(Random& random) {
    const auto kind = random.Next() % 100;
    if (kind < 10)
        return 0;
    if (kind < 45)
        return random.Between(1, 99);
    if (kind < 80)
        return random.Between(100, 999);
    if (kind < 90)
        return -random.Between(1, 999);
    if (kind < 98)
        return random.Between(1000, 99999);
    return random.Between(1000000, 2000000000);
}

void AppendInteger(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendRecordLines(std::string& out, int dimension, int first, int records,
                       std::uint64_t seed) {
    Random random(seed);
    out.reserve(out.size() +
                static_cast<std::size_t>(records) * (static_cast<std::size_t>(dimension) * 4 + 12));
    for (int number = first; number < first + records; ++number) {
        out += '(';
        AppendInteger(out, number);
        out += ')';
        for (int k = 0; k < dimension; ++k) {
            out += ' ';
            AppendInteger(out, RealisticValue(random));
        }
        out += '\n';
    }
}

} // namespace

std::string GenerateDataFile(int dimension, int records, std::uint64_t seed) {
    std::string out = "Generated counts for the benchmarks\nDIM=";
    AppendInteger(out, dimension);
    out += "\nCONV_SECTION\n";
    AppendRecordLines(out, dimension, 1, records, seed);
    out += "END\n";
    return out;
}

std::string GenerateRecordLines(int dimension, int first, int records, std::uint64_t seed) {
    std::string out;
    AppendRecordLines(out, dimension, first, records, seed);
    return out;
}
