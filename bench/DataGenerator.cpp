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

} // namespace

std::string GenerateDataFile(int dimension, int records, std::uint64_t seed) {
    Random random(seed);
    std::string out;
    out.reserve(static_cast<std::size_t>(records) * (static_cast<std::size_t>(dimension) * 4 + 12));
    out += "Generated counts for the benchmarks\nDIM=";
    AppendInteger(out, dimension);
    out += "\nCONV_SECTION\n";
    for (int number = 1; number <= records; ++number) {
        out += '(';
        AppendInteger(out, number);
        out += ')';
        for (int k = 0; k < dimension; ++k) {
            out += ' ';
            AppendInteger(out, RealisticValue(random));
        }
        out += '\n';
    }
    out += "END\n";
    return out;
}
