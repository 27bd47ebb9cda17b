#include "engine/settle_amounts.h"

#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/round_pence.h"

namespace quorvel {

namespace {

// Amounts below 1e13 pounds are written here; anything else, from a slip
// that wins more than that to a value the engine never shows, goes to snprintf.
constexpr double kWrittenBelow = 1e13;

// `pounds` × 100 rounded to the nearest whole number, worked out exactly from
// the double's bits as printf rounds it. False for an amount that is not from
// 0 to kWrittenBelow and for an exact half, where a C library may round either
// way: those are left to the library.
bool hundredthsOf(double pounds, std::uint64_t& hundredths) {
    if (std::signbit(pounds) || !(pounds < kWrittenBelow)) {
        return false;
    }
    if (pounds < 0.001) {  // less than a tenth of a hundredth: 0.00
        hundredths = 0;
        return true;
    }
    // pounds = mantissa × 2^-shift exactly, with shift from 9 to 62 here, and
    // mantissa × 100 below 2^60.
    const auto bits = std::bit_cast<std::uint64_t>(pounds);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const auto shift = static_cast<int>(1075 - (bits >> 52));
    const std::uint64_t scaled = mantissa * 100;
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const std::uint64_t remainder = scaled & ((half << 1) - 1);
    if (remainder == half) {
        return false;
    }
    hundredths = (scaled >> shift) + (remainder > half ? 1 : 0);
    return true;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

void formatPounds(std::array<char, kAmountTextSize>& text, double pounds) {
    std::uint64_t hundredths = 0;
    if (!hundredthsOf(pounds, hundredths)) {
        std::snprintf(text.data(), text.size(), "\xA3%.2f", pounds);
        return;
    }
    char* at = text.data();
    *at++ = '\xA3';
    at = std::to_chars(at, text.data() + text.size(), hundredths / 100).ptr;  // below 1e13
    const auto pence = static_cast<unsigned>(hundredths % 100);
    *at++ = '.';
    *at++ = static_cast<char>('0' + pence / 10);
    *at++ = static_cast<char>('0' + pence % 10);
    *at = '\0';
}

SettlementDisplay settleAmounts(const SettlementInput& input, const SettlementObserver* observer) {
    const SettlementTerms terms = settlementTerms(input.preferences, input.taxPaid);
    const Settled settled = settle(terms, input.slip, observer);
    const int numberOfBets = settled.numberOfBets;
    const double stake = static_cast<double>(settledUnitStake(input.slip)) * 100.0;

    // Whole pence, held as a double so that no stake can overflow it.
    const double stakePence = roundPence(static_cast<double>(numberOfBets) * stake * 0.01);
    double stakeWithTax = stakePence;
    double totalStake = stakePence;
    if (terms.taxPaid) {
        stakeWithTax = stakePence * terms.taxFactor;
        totalStake = std::trunc(stakeWithTax + 0.5);
    }
    // Without tax paid the tax comes off the returns; they can reach about 1e28
    // hundredths of a penny, far beyond any integer type.
    double returnsLessTax = settled.returns;
    double returns = settled.returns;
    if (!terms.taxPaid) {
        returnsLessTax = (2.0 - terms.taxFactor) * returns;
        returns = std::trunc(returnsLessTax + 0.5);
    }
    const double returnsPence = roundPence(returns * 0.01);

    SettlementDisplay display{numberOfBets, {}, {}};
    formatPounds(display.totalStake, totalStake * 0.01);
    formatPounds(display.returns, returnsPence * 0.01);
    if (observer != nullptr && observer->onSteps != nullptr) {
        const int lucky = luckySelections(input.slip.selectionCount, input.slip.betIndex);
        const LuckyTerms luckyRules =
            lucky != 0 ? luckyTerms(input.preferences, lucky) : LuckyTerms{0, 0};
        const SettlementSteps steps{settled,          settledUnitStake(input.slip),
                                    terms.taxPaid,    input.preferences.taxRatePercent,
                                    luckyRules.bonus, luckyRules.consolation,
                                    returnsLessTax,   returns,
                                    returnsPence,     stakePence,
                                    stakeWithTax,     totalStake};
        observer->onSteps(observer->context, steps);
    }
    return display;
}

int decimalValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range is the larger one.
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value < (INT_MIN + digit) / 10) {
            return negative ? INT_MIN : INT_MAX;
        }
        value = value * 10 - digit;
    }
    if (negative) {
        return value;
    }
    return value == INT_MIN ? INT_MAX : -value;
}

}  // namespace quorvel
