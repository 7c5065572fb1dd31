#include "ConditionLexer.h"

#include <algorithm>
#include <iterator>

namespace quib {

namespace {

constexpr std::int64_t kLargestInteger = INT64_MAX;
constexpr std::size_t kQuotedBytes = 40;

constexpr bool IsBlankCharacter(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

constexpr bool IsWordPart(char c) {
    return IsWordStart(c) || IsDigit(c);
}

// The operators of two characters, then those of one.
constexpr std::string_view kPairs[] = {"||", "&&", "==", "!=", "<=", ">="};
constexpr std::string_view kSingles = "!=<>+-().";

// The text with bytes outside printable ASCII as \xHH, cut after 40 bytes.
std::string Shortened(std::string_view text) {
    std::string shortened;
    for (std::size_t k = 0; k < text.size() && k < kQuotedBytes; ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte >= 0x20 && byte < 0x7f) {
            shortened += static_cast<char>(byte);
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            shortened += "\\x";
            shortened += kHex[byte >> 4];
            shortened += kHex[byte & 15];
        }
    }
    if (text.size() > kQuotedBytes)
        shortened += "...";
    return shortened;
}

// '|' and '&' alone are half of an operator.
bool UnknownCharacter(const Token& token, std::string_view rest, ConditionError& error) {
    const char c = rest[0];
    const std::string found = Quoted(rest.substr(0, 1));
    if (c == '|' || c == '&')
        error = {token.Column(), std::string("expected '") + c + c + "' but found " + found};
    else
        error = {token.Column(), "unexpected character " + found};
    return false;
}

} // namespace

std::string Quoted(std::string_view text) {
    return "'" + Shortened(text) + "'";
}

std::string Describe(const Token& token) {
    return token.kind == TokenKind::End ? "end of condition" : Quoted(token.text);
}

bool ConditionLexer::Next(Token& token, ConditionError& error) {
    while (m_offset < m_text.size() && IsBlankCharacter(m_text[m_offset]))
        ++m_offset;
    const std::size_t start = m_offset;
    token = Token{TokenKind::End, start, {}, 0};
    if (start == m_text.size())
        return true;
    const std::string_view rest = m_text.substr(start);
    const char c = rest[0];
    std::size_t length = 1;
    if (IsDigit(c)) {
        while (length < rest.size() && IsDigit(rest[length]))
            ++length;
        token.kind = TokenKind::Integer;
        for (char digit : rest.substr(0, length)) {
            if (token.value > (kLargestInteger - (digit - '0')) / 10) {
                error = {token.Column(),
                         "integer " + Shortened(rest.substr(0, length)) + " is too large"};
                return false;
            }
            token.value = token.value * 10 + (digit - '0');
        }
    } else if (IsWordStart(c)) {
        token.kind = TokenKind::Word;
        while (length < rest.size() && IsWordPart(rest[length]))
            ++length;
    } else if (c == '{') {
        if (rest.size() < 2 || rest[1] != '}') {
            const Token after{rest.size() < 2 ? TokenKind::End : TokenKind::Symbol, start + 1,
                              rest.substr(1, 1), 0};
            error = {after.Column(), "expected '}' but found " + Describe(after)};
            return false;
        }
        token.kind = TokenKind::EmptySet;
        length = 2;
    } else {
        token.kind = TokenKind::Symbol;
        const bool pair =
            std::find(std::begin(kPairs), std::end(kPairs), rest.substr(0, 2)) != std::end(kPairs);
        if (pair)
            length = 2;
        else if (kSingles.find(c) == std::string_view::npos)
            return UnknownCharacter(token, rest, error);
    }
    token.text = rest.substr(0, length);
    m_offset = start + length;
    return true;
}

} // namespace quib
