#include "ValueScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kCanary = 0x5A5A5A5A;

// A line's bytes and the values it must give, known by construction.
struct ScanLine {
    std::string bytes;
    std::vector<std::int32_t> values;
};

class ValueScanTest : public ::testing::TestWithParam<quib::ValueScanner> {
  protected:
    void SetUp() override {
        if (!quib::IsValueScannerAvailable(GetParam()))
            GTEST_SKIP() << "this processor lacks the scanner's instructions";
    }

    // Scans `line` followed by the reader's blank and then digits, which must
    // not be read, into slots that hold a canary; checks that nothing past the
    // values read was written.
    std::vector<std::int32_t> Scan(const std::string& line, int limit) const {
        std::vector<unsigned char> bytes(line.begin(), line.end());
        bytes.resize(line.size() + 64, '7');
        bytes[line.size()] = ' ';
        std::vector<std::int32_t> slots(static_cast<std::size_t>(limit) + 16, kCanary);
        const int count = quib::ValueScanOf(GetParam())(bytes.data(), bytes.data() + line.size(),
                                                        slots.data(), limit);
        EXPECT_LE(count, limit);
        for (std::size_t k = static_cast<std::size_t>(count); k < slots.size(); ++k)
            EXPECT_EQ(slots[k], kCanary) << "slot " << k << " written past the values read";
        slots.resize(static_cast<std::size_t>(count));
        return slots;
    }
};

std::string ScannerName(const ::testing::TestParamInfo<quib::ValueScanner>& info) {
    return quib::ValueScannerName(info.param);
}

INSTANTIATE_TEST_SUITE_P(Scanners, ValueScanTest, ::testing::ValuesIn(quib::kValueScanners),
                         ScannerName);

struct KnownNumber {
    const char* text;
    std::int32_t value;
};

const KnownNumber kNumbers[] = {
    {"7", 7},
    {"-7", -7},
    {"+42", 42},
    {"12345678", 12345678},
    {"-12345678", -12345678},
    {"123456789", 123456789},
    {"-2147483648", INT32_MIN},
    {"2147483648", INT32_MAX},
    {"-99999999999999999999", INT32_MIN},
    {"0000000000000000000000000000000000000000000000000000000000000000000000012", 12},
};

// A number at every position of the first three chunks a line can be cut
// into, after blanks and after another number, ending the line or not.
TEST_P(ValueScanTest, NumbersAtEveryOffset) {
    for (const KnownNumber& number : kNumbers) {
        for (int offset = 0; offset < 140; ++offset) {
            const std::string lead(static_cast<std::size_t>(offset), ' ');
            const std::string text = number.text;
            EXPECT_EQ(Scan(lead + text + " 5\n", 32), (std::vector<std::int32_t>{number.value, 5}))
                << number.text << " after " << offset << " blanks";
            EXPECT_EQ(Scan(lead + text, 32), (std::vector<std::int32_t>{number.value}))
                << number.text << " after " << offset << " blanks, at the end";
            if (offset > 0) {
                const std::string first = std::string(static_cast<std::size_t>(offset - 1), '1');
                EXPECT_EQ(Scan(first + " " + text + "\n", 32).back(), number.value)
                    << number.text << " after a token of " << offset - 1 << " bytes";
            }
        }
    }
}

TEST_P(ValueScanTest, LimitStopsTheScan) {
    std::string line;
    for (int k = 1; k <= 70; ++k)
        line += std::to_string(k) + " ";
    for (int limit : {0, 1, 7, 8, 9, 16, 17, 26, 32}) {
        std::vector<std::int32_t> expected;
        for (int k = 1; k <= limit; ++k)
            expected.push_back(k);
        EXPECT_EQ(Scan(line, limit), expected) << "limit " << limit;
    }
    EXPECT_EQ(Scan(std::string(200, ' '), 32), std::vector<std::int32_t>{});
    EXPECT_EQ(Scan("", 32), std::vector<std::int32_t>{});
}

TEST_P(ValueScanTest, TokensWithoutAValueArePassedOver) {
    const std::string line = std::string("abc +-5 - + 12abc 0x10 ") + std::string(1, '\0') +
                             "7 \xff 9 -0 1-2 (3) 5,6 -\t+8\v\f4\r";
    EXPECT_EQ(Scan(line, 32), (std::vector<std::int32_t>{12, 0, 9, 0, 1, 5, 8, 4}));
    EXPECT_EQ(Scan("x" + std::string(100, 'y') + " 3 " + std::string(70, '9'), 32),
              (std::vector<std::int32_t>{3, INT32_MAX}));
}

// Random lines of numbers of every length and sign, junk tokens and blank
// runs of every length; the values follow from how the line was made.
class RandomScanLine {
  public:
    explicit RandomScanLine(std::uint64_t seed) : m_random(seed) {}

    ScanLine Make() {
        ScanLine line;
        const int tokens = Below(60);
        for (int k = 0; k < tokens; ++k) {
            if (k > 0 || Below(3) == 0)
                line.bytes += Blanks();
            if (Below(6) == 0)
                line.bytes += Junk();
            else
                line.values.push_back(AddNumber(line.bytes));
        }
        return line;
    }

  private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::string Blanks() {
        static const char kBlanks[] = " \t\v\f\r";
        std::string blanks;
        const int count = Below(8) == 0 ? 1 + Below(80) : 1;
        for (int k = 0; k < count; ++k)
            blanks += kBlanks[Below(5)];
        return blanks;
    }

    std::string Junk() {
        static const char* const kJunk[] = {"-", "+", "x1", "+-1", "(", "\xe9", "--2"};
        return kJunk[Below(7)];
    }

    std::int32_t AddNumber(std::string& bytes) {
        const int sign = Below(3);
        bytes += sign == 0 ? "" : sign == 1 ? "-" : "+";
        long long magnitude = 0;
        const int digits = 1 + (Below(5) == 0 ? Below(20) : Below(8));
        for (int k = 0; k < digits; ++k) {
            const int digit = Below(10);
            bytes += static_cast<char>('0' + digit);
            magnitude = std::min(magnitude * 10 + digit, 1LL << 40);
        }
        if (Below(5) == 0)
            bytes += "a:-";
        const long long value = sign == 1 ? -magnitude : magnitude;
        return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
    }

    std::mt19937_64 m_random;
};

TEST_P(ValueScanTest, RandomLinesGiveTheirValues) {
    RandomScanLine generator(77);
    int reported = 0;
    for (int k = 0; k < 20000 && reported < 5; ++k) {
        const ScanLine line = generator.Make();
        for (int limit : {26, 32}) {
            std::vector<std::int32_t> expected = line.values;
            if (expected.size() > static_cast<std::size_t>(limit))
                expected.resize(static_cast<std::size_t>(limit));
            const std::vector<std::int32_t> got = Scan(line.bytes + "\n", limit);
            if (got != expected) {
                ++reported;
                ADD_FAILURE() << "line " << k << " limit " << limit << ": \"" << line.bytes << "\"";
            }
        }
    }
}

} // namespace
