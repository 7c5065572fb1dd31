#pragma once

#include "ConditionError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quib {

enum class TokenKind {
    End,
    Integer,
    Word,     // letters, digits and '_', beginning with a letter or '_'
    EmptySet, // "{}"
    Symbol,   // an operator, a parenthesis or '.'
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::size_t offset = 0; // 0-based, in bytes
    std::string_view text;
    std::int64_t value = 0; // of an Integer

    bool Is(std::string_view symbolOrWord) const {
        return (kind == TokenKind::Symbol || kind == TokenKind::Word) && text == symbolOrWord;
    }
    std::size_t Column() const { return offset + 1; }
};

// A token as an error message names it: "end of condition", or its text in
// quotes, bytes outside printable ASCII as \xHH and at most 40 bytes.
std::string Describe(const Token& token);
std::string Quoted(std::string_view text);

// Splits a condition's text into tokens, one at a time.
class ConditionLexer {
  public:
    explicit ConditionLexer(std::string_view text) : m_text(text) {}

    // The next token; false, with the error, at a character that begins no
    // token or an integer that is too large.
    bool Next(Token& token, ConditionError& error);

  private:
    std::string_view m_text;
    std::size_t m_offset = 0;
};

} // namespace quib
