// Malformed conditions: each kind of mistake told at its column with what
// was expected or found; and the bounds that keep any text safe.

#include "Condition.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace quib;

std::string ErrorOf(const std::string& text) {
    const ParsedCondition parsed = ParseCondition(text);
    return parsed.condition ? "well formed" : parsed.error.Text();
}

TEST(ConditionParser, TellsWhereAndWhatForEachMistake) {
    const std::pair<std::string, std::string> cases[] = {
        // Nothing to evaluate.
        {"", "column 1: empty condition"},
        {" \t ", "column 1: empty condition"},
        // Names.
        {"ab = abf", "column 6: unknown name 'abf'"},
        {"aBA > 0", "column 1: unknown name 'aBA' (letter 'a' twice)"},
        {"abcdea", "column 1: unknown name 'abcdea' (letter 'a' twice)"},
        {"NOT ab", "column 1: unknown name 'NOT' (keywords are lower case)"},
        {"imported.xyz", "column 10: unknown name 'xyz'"},
        {"a2 > 0", "column 1: unknown name 'a2'"},
        {"{a}", "column 2: expected '}' but found 'a'"},
        {"ab + {", "column 7: expected '}' but found end of condition"},
        // Integers.
        {"9223372036854775808", "column 1: integer 9223372036854775808 is too large"},
        {"ab > -99999999999999999999", "column 7: integer 99999999999999999999 is too large"},
        // Characters that begin no token.
        {"ab # 1", "column 4: unexpected character '#'"},
        {"ab\x01", "column 3: unexpected character '\\x01'"},
        {"a | b", "column 3: expected '||' but found '|'"},
        {"a & b", "column 3: expected '&&' but found '&'"},
        // A value missing, or one too many.
        {"(a > 0", "column 7: expected ')' but found end of condition"},
        {"ab >", "column 5: expected a value but found end of condition"},
        {"and ab", "column 1: expected a value but found 'and'"},
        {"a + !b", "column 5: expected a value but found '!'"},
        {"()", "column 2: expected a value but found ')'"},
        {"ab 0", "column 4: expected end of condition but found '0'"},
        {"a < b < c", "column 7: expected end of condition but found '<'"},
        {"a)", "column 2: expected end of condition but found ')'"},
        {"partner(ab)", "column 8: expected end of condition but found '('"},
        // Tests and their nodes.
        {"minimal ab", "column 9: expected '(' after 'minimal' but found 'ab'"},
        {"missing(ab", "column 11: expected ')' but found end of condition"},
        {"minimal(number)", "column 9: expected a node name but found 'number'"},
        {"differs(imported.a)", "column 9: expected a node name but found 'imported'"},
        {"changed(", "column 9: expected a node name but found end of condition"},
        {"imported ab", "column 10: expected '.' after 'imported' but found 'ab'"},
        {"imported", "column 9: expected '.' after 'imported' but found end of condition"},
        {"changed(minimal", "column 16: expected ')' but found end of condition"},
        {"changed(imported.minimal)", "column 18: expected a node name but found 'minimal'"},
        {"differs(minimal)", "column 9: expected a node name but found 'minimal'"},
        {"minimal(monotone)", "column 9: expected a node name but found 'monotone'"},
        {"monotone(ab)", "column 9: expected end of condition but found '('"},
        {"Monotone", "column 1: unknown name 'Monotone' (keywords are lower case)"},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(ErrorOf(text), error) << text;
}

TEST(ConditionParser, QuotesLongTokensShortened) {
    const std::string name(50, 'x');
    EXPECT_EQ(ErrorOf("a = " + name), "column 5: unknown name '" + name.substr(0, 40) + "...'");
    const std::string digits(45, '9');
    EXPECT_EQ(ErrorOf(digits), "column 1: integer " + digits.substr(0, 40) + "... is too large");
}

// A condition that reads the imported run is refused where none is
// imported; a malformed one is told as malformed either way.
TEST(ConditionParser, TheImportedRunWithoutAnImportIsAProblem) {
    for (const char* text :
         {"imported.ab > 0", "differs", "differs(ab)", "not partner", "changed(imported.a)",
          "missing(imported.{})", "minimal(imported.e)", "ab > 0 or (partner)"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ConditionProblem(ParseCondition(text), false), kNoImportedRun);
        EXPECT_EQ(ConditionProblem(ParseCondition(text), true), "");
    }
    for (const char* text :
         {"ab > 0", "changed", "changed(a)", "changed(minimal)", "monotone",
          "missing(abc) and minimal(e)", "number + position > 9223372036854775807"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ConditionProblem(ParseCondition(text), false), "");
    }
    EXPECT_EQ(ConditionProblem(ParseCondition("imported.ab >"), false),
              "column 14: expected a value but found end of condition");
}

// The deepest nesting allowed, each level holding the most values beneath
// it (a comparison's left side and a sum's), still evaluates; one more level
// is refused where it begins.
TEST(ConditionParser, NestingIsBoundedAndTheBoundEvaluates) {
    std::string deepest = "1 < 1 + 1";
    for (int level = 0; level < kMaxNestedParentheses; ++level)
        deepest = "1 < 1 + (" + deepest + ")";
    const ParsedCondition parsed = ParseCondition(deepest);
    ASSERT_TRUE(parsed.condition) << parsed.error.Text();
    EXPECT_EQ(parsed.condition->Evaluate(RecordContext{}), 1);

    const std::string opened(kMaxNestedParentheses + 1, '(');
    EXPECT_EQ(ErrorOf(opened + "1" + std::string(kMaxNestedParentheses + 1, ')')),
              "column 101: more than 100 nested parentheses");
}

} // namespace
