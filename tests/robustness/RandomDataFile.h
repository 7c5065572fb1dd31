#pragma once

#include <cstdint>
#include <random>
#include <string>

// Random data files that mix well-formed lines with everything a reader can
// trip over: markers and their near misses, junk tokens, signs, numbers past
// 32 bits, NUL and high bytes, CR in all places, lines past 1 MiB.
class RandomDataFile {
  public:
    explicit RandomDataFile(std::uint64_t seed) : m_random(seed) {}

    std::string Make() {
        std::string file;
        const int lines = Below(40);
        for (int k = 0; k < lines; ++k)
            file += Line();
        if (Chance(4))
            file += Pick(kStops);
        if (Chance(3))
            file += Line();
        if (Chance(3))
            file += Line(false);
        return file;
    }

  private:
    static constexpr const char* kDimensionLines[] = {
        "DIM=26",           "DIM=32",     "DIM = 32 ", "DIM=\t-3",       "DIM=0",
        "DIM=30",           "DIM=40",     "DIM=1",     "DIM=+32",        "DIM=99999999999",
        "DIM=-99999999999", "DIM",        "DIM=",      "DIM=abc",        "DIM==5",
        "=5 DIM",           "xxDIMyy=33", "DIM=32=26", "DIM=0x20",       "DIM=-",
        "DIM=+-26",         "DI M=32",    "dim=32",    "DIM=2147483648", "DIM=\r32"};
    static constexpr const char* kMarkers[] = {"CONV_SECTION", "CONV_SECTION ", "xCONV_SECTION",
                                               "CONV_SECTIO",  "conv_section",  "CONV_SECTION\r",
                                               "END ",         "end",           " END",
                                               "ENDX",         "END\r",         "EN",
                                               "(1)END",       "END\rEND"};
    static constexpr const char* kStops[] = {"\n", "END\n", "\r\n", "END\r\n", "END"};
    static constexpr const char* kTokens[] = {"12abc",
                                              "+-5",
                                              "-+5",
                                              "0x10",
                                              "010",
                                              "-",
                                              "+",
                                              "1.5",
                                              "5,6",
                                              "(3)",
                                              ")",
                                              "(",
                                              "=",
                                              "-2147483648",
                                              "2147483647",
                                              "2147483648",
                                              "-2147483649",
                                              "99999999999999999999",
                                              "-0",
                                              "+0",
                                              "00000000000000000000042",
                                              "abc",
                                              "\xff",
                                              "\x80"
                                              "7",
                                              "9\xc3\xa9",
                                              "12:3",
                                              "1/2",
                                              "END",
                                              "CONV_SECTION",
                                              "1234567",
                                              "12345678",
                                              "123456789",
                                              "-1234567"};
    static constexpr const char* kBlanks[] = {" ", " ", " ", "\t", "  ", "\v", "\f", "\r", " \r "};
    static constexpr const char* kLineEnds[] = {"\n", "\n", "\n", "\r\n", "\r\r\n", "\r\n"};

    template <typename T, std::size_t N> const char* Pick(const T (&choices)[N]) {
        return choices[Below(static_cast<int>(N))];
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

    std::string Digits(int count) {
        std::string digits;
        for (int k = 0; k < count; ++k)
            digits += static_cast<char>('0' + Below(10));
        return digits;
    }

    // Numbers of every length, so that the run of digits ends at every byte
    // position of a word, followed by any byte.
    std::string Number() {
        std::string number;
        if (Chance(3))
            number += Chance(2) ? '-' : '+';
        number += Digits(1 + (Chance(8) ? Below(25) : Below(9)));
        if (Chance(4))
            number += static_cast<char>(Below(256));
        return number;
    }

    std::string Token() {
        switch (Below(10)) {
        case 0:
            return Below(8) == 0 ? Digits(40 + Below(100)) + Pick(kTokens) : Pick(kTokens);
        case 1:
            return std::string(1, static_cast<char>(Below(256)));
        case 2:
            return std::string(1, '\0') + Number();
        default:
            return Number();
        }
    }

    std::string RecordNumber() {
        std::string text = "(";
        switch (Below(6)) {
        case 0:
            break;
        case 1:
            text += Pick(kBlanks);
            text += Number();
            break;
        case 2:
            text += Pick(kTokens);
            break;
        default:
            text += Number();
        }
        if (Chance(3))
            text += Token();
        if (!Chance(8))
            text += ")";
        return text;
    }

    std::string Tokens(int count) {
        std::string text;
        for (int k = 0; k < count; ++k) {
            if (k > 0 || Chance(3))
                text += Pick(kBlanks);
            text += Token();
        }
        return text;
    }

    std::string LongLine() {
        std::string text;
        const std::size_t length = (std::size_t{1} << 20) + static_cast<std::size_t>(Below(4096));
        switch (Below(3)) {
        case 0:
            while (text.size() < length)
                text += Tokens(32);
            break;
        case 1:
            text = std::string(length, ' ') + Tokens(5);
            break;
        default:
            text = Digits(static_cast<int>(length));
        }
        return text;
    }

    std::string Body() {
        switch (Below(20)) {
        case 0:
        case 1:
            return Pick(kDimensionLines);
        case 2:
            return Pick(kMarkers);
        case 3:
            return Tokens(Below(4)) + Pick(kDimensionLines) + Tokens(Below(3));
        case 4:
            return std::string(Pick(kBlanks)) + Tokens(Below(6));
        case 5:
            return Chance(400) ? LongLine() : Tokens(Below(200));
        default:
            return (Chance(3) ? std::string() : RecordNumber()) + Tokens(Below(40));
        }
    }

    std::string Line(bool withEnd = true) {
        std::string line = Body();
        if (withEnd)
            line += Pick(kLineEnds);
        return line;
    }

    std::mt19937_64 m_random;
};
