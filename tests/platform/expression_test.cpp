// The expression evaluator of resource scripts: C's operators at C's
// precedence over integers, and the errors of what has no value.

#include <gtest/gtest.h>

#include <deque>

#include "platform/core/script_reader.h"

namespace quorvel::platform::script {
namespace {

const std::string kFile = "app.rc";

struct Evaluated {
    long long value = 0;
    std::string error;
    std::size_t stoppedAt = 0;  // tokens read
};

// Evaluates text; the names A = 10 and B = 3 have values, others fail.
Evaluated evaluate(const std::string& text, bool styleTerm = false) {
    Evaluated result;
    try {
        const std::vector<Token> tokens = lex(text, &kFile, 7, false);
        Expression expression(tokens, result.stoppedAt, [](const Token& name) -> long long {
            if (name.text == "A") {
                return 10;
            }
            if (name.text == "B") {
                return 3;
            }
            fail(name, "unknown name " + name.text);
        });
        result.value = styleTerm ? expression.term() : expression.full();
    } catch (const ScriptError& error) {
        result.error = error.message;
    }
    return result;
}

struct ValueCase {
    const char* name;
    const char* expression;
    long long value;
    friend void PrintTo(const ValueCase& row, std::ostream* out) { *out << row.name; }
};

const ValueCase kValues[] = {
    {"product_before_sum", "2 + 3 * 4", 14},
    {"parentheses_first", "(2 + 3) * 4", 20},
    {"subtraction_from_the_left", "10 - 4 - 3", 3},
    {"division_from_the_left", "100 / 10 / 5", 2},
    {"division_truncates_towards_zero", "-7 / 2", -3},
    {"remainder_takes_the_dividends_sign", "-7 % 3", -1},
    {"shift_below_sum", "1 << 2 + 1", 8},
    {"shift_by_32", "1 << 32", 0x100000000LL},
    {"comparison_below_shift", "1 << 3 > 7", 1},
    {"equality_below_comparison", "2 < 3 == 1", 1},
    {"and_before_xor_before_or", "1 | 6 ^ 3 & 5", 7},
    {"logical_and_before_or", "0 || 1 && 0", 0},
    {"logical_values_are_one", "5 && 7", 1},
    {"not_of_zero", "!0", 1},
    {"complement", "~0 & 0xFF", 255},
    {"unary_minus_binds_tighter_than_product", "-2 * -3", 6},
    {"names_take_their_values", "A * B + 1", 31},
    {"hex_and_suffixes", "0x10L + 1u + 0XFFUL", 272},
    {"largest_number", "0xFFFFFFFF", 0xFFFFFFFFLL},
    {"product_wraps_instead_of_overflowing", "0xFFFFFFFF * 0xFFFFFFFF * 0xFFFFFFFF",
     static_cast<long long>(0xFFFFFFFFULL * 0xFFFFFFFFULL * 0xFFFFFFFFULL)},
};

class ExpressionValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ExpressionValues, follow_cs_precedence) {
    const Evaluated result = evaluate(GetParam().expression);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(expressions, ExpressionValues, ::testing::ValuesIn(kValues),
                         [](const auto& row) { return std::string(row.param.name); });

struct ErrorCase {
    const char* name;
    const char* expression;
    const char* error;
    friend void PrintTo(const ErrorCase& row, std::ostream* out) { *out << row.name; }
};

const ErrorCase kErrors[] = {
    {"division_by_zero", "1 / (A - 10)", "app.rc:7: division by zero"},
    {"remainder_by_zero", "1 % 0", "app.rc:7: division by zero"},
    {"negative_shift", "1 << -1", "app.rc:7: shift out of range"},
    {"shift_past_32", "1 >> 33", "app.rc:7: shift out of range"},
    {"unclosed_parenthesis", "(1 + 2", "app.rc:7: '(' without its ')'"},
    {"ends_after_an_operator", "1 +", "app.rc:7: the script ends inside an expression"},
    {"a_string", "1 + \"two\"", "app.rc:7: expected a number, found a string"},
    {"an_operator_for_a_number", "* 2", "app.rc:7: expected a number, found '*'"},
    {"unknown_name", "A + C", "app.rc:7: unknown name C"},
    {"number_past_32_bits", "0x100000000", "app.rc:7: bad number '0x100000000'"},
    {"bad_digit", "0x", "app.rc:7: bad number '0x'"},
};

class ExpressionErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ExpressionErrors, name_the_line) {
    EXPECT_EQ(evaluate(GetParam().expression).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(expressions, ExpressionErrors, ::testing::ValuesIn(kErrors),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(expression, stops_at_what_is_not_an_operator_and_a_style_term_at_the_bar) {
    EXPECT_EQ(evaluate("1 + 2, 3").stoppedAt, 3u) << "before the comma";
    const Evaluated term = evaluate("A & 2 | 1", true);
    EXPECT_EQ(term.value, 2);
    EXPECT_EQ(term.stoppedAt, 3u);
}

}  // namespace
}  // namespace quorvel::platform::script
