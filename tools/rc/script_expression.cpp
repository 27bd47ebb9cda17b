#include <string_view>

#include "tools/rc/script_reader.h"

namespace quorvel::rc::script {
namespace {

struct BinaryOperator {
    std::string_view text;
    int level;  // higher binds tighter
};

// C's binary operators, loosest first.
constexpr BinaryOperator kOperators[] = {
    {"||", 1}, {"&&", 2}, {"|", 3}, {"^", 4},  {"&", 5},  {"==", 6},
    {"!=", 6}, {"<", 7},  {">", 7}, {"<=", 7}, {">=", 7}, {"<<", 8},
    {">>", 8}, {"+", 9},  {"-", 9}, {"*", 10}, {"/", 10}, {"%", 10},
};

// A style list's terms take every operator binding tighter than '|'.
constexpr int kStyleTermLevel = 4;

int precedence(const Token& token) {
    if (token.kind != TokenKind::Punct) {
        return -1;
    }
    for (const BinaryOperator& op : kOperators) {
        if (op.text == token.text) {
            return op.level;
        }
    }
    return -1;
}

long long apply(const Token& op, long long a, long long b) {
    const std::string& o = op.text;
    if (o == "||")
        return (a != 0 || b != 0) ? 1 : 0;
    if (o == "&&")
        return (a != 0 && b != 0) ? 1 : 0;
    if (o == "|")
        return a | b;
    if (o == "^")
        return a ^ b;
    if (o == "&")
        return a & b;
    if (o == "==")
        return a == b ? 1 : 0;
    if (o == "!=")
        return a != b ? 1 : 0;
    if (o == "<")
        return a < b ? 1 : 0;
    if (o == ">")
        return a > b ? 1 : 0;
    if (o == "<=")
        return a <= b ? 1 : 0;
    if (o == ">=")
        return a >= b ? 1 : 0;
    if (o == "<<" || o == ">>") {
        if (b < 0 || b > 32) {
            fail(op, "shift out of range");
        }
        return o == "<<" ? static_cast<long long>(static_cast<unsigned long long>(a) << b) : a >> b;
    }
    // Sums and products wrap around rather than overflow.
    const auto ua = static_cast<unsigned long long>(a);
    const auto ub = static_cast<unsigned long long>(b);
    if (o == "+")
        return static_cast<long long>(ua + ub);
    if (o == "-")
        return static_cast<long long>(ua - ub);
    if (o == "*")
        return static_cast<long long>(ua * ub);
    if (b == 0) {
        fail(op, "division by zero");
    }
    if (b == -1) {
        return o == "/" ? static_cast<long long>(0 - ua) : 0;  // the one quotient that overflows
    }
    return o == "/" ? a / b : a % b;
}

}  // namespace

long long Expression::full() {
    return binary(0);
}

long long Expression::term() {
    return binary(kStyleTermLevel);
}

const Token& Expression::current() const {
    if (pos_ >= tokens_.size()) {
        fail(tokens_.back(), "the script ends inside an expression");
    }
    return tokens_[pos_];
}

long long Expression::binary(int minLevel) {
    long long left = unary();
    while (pos_ < tokens_.size()) {
        const Token& op = tokens_[pos_];
        const int level = precedence(op);
        if (level < 0 || level < minLevel) {
            break;
        }
        ++pos_;
        const long long right = binary(level + 1);
        left = apply(op, left, right);
    }
    return left;
}

long long Expression::unary() {
    const Token& token = current();
    if (token.kind == TokenKind::Punct) {
        ++pos_;
        if (token.text == "-")
            return static_cast<long long>(0 - static_cast<unsigned long long>(unary()));
        if (token.text == "+")
            return unary();
        if (token.text == "~")
            return ~unary();
        if (token.text == "!")
            return unary() == 0 ? 1 : 0;
        if (token.text == "(") {
            const long long value = binary(0);
            if (pos_ >= tokens_.size() || tokens_[pos_].text != ")") {
                fail(token, "'(' without its ')'");
            }
            ++pos_;
            return value;
        }
        fail(token, "expected a number, found '" + token.text + "'");
    }
    if (token.kind == TokenKind::Number) {
        ++pos_;
        return token.value;
    }
    if (token.kind == TokenKind::Identifier) {
        ++pos_;
        return name_(token);
    }
    fail(token, "expected a number, found a string");
}

}  // namespace quorvel::rc::script
