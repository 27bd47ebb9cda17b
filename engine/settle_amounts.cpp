#include "engine/settle_amounts.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "engine/round_pence.h"

namespace quorvel {

namespace {

// "£%.2f" with the Windows-1252 pound sign. snprintf never writes past the buffer.
void formatPounds(std::array<char, kAmountTextSize>& text, double pounds) {
    std::snprintf(text.data(), text.size(), "\xA3%.2f", pounds);
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

double taxFactorFor(int taxRatePercent) {
    return static_cast<double>(taxRatePercent) * 0.01 + 1.0;
}

SettlementDisplay settleAmounts(const AppState& app, const BetSlip& slip,
                                const SettlementObserver* observer) {
    AppState state = app;
    state.taxFactor = taxFactorFor(app.taxRatePercent);
    Legs legs = slip.legs;  // the modes may reorder the legs and raise a price

    // A negative stake is settled as a stake of nothing.
    const int unitStake = slip.unitStake < 0 ? 0 : slip.unitStake;
    const double stake = static_cast<double>(unitStake) * 100.0;

    int numberOfBets = 0;
    double returns = 0.0;
    switch (slip.eachWayMode) {
        case EachWayMode::Win:
            returns = settleWin(state, slip.betIndex, numberOfBets, slip.selectionCount, legs,
                                stake, observer);
            break;
        case EachWayMode::Ed:
            returns = settleEd(state, slip.betIndex, numberOfBets, slip.selectionCount, legs, stake,
                               observer);
            break;
        case EachWayMode::Wwpp:
            returns = settleWwpp(state, slip.betIndex, numberOfBets, slip.selectionCount, legs,
                                 stake, observer);
            break;
    }

    // Whole pence, held as a double so that no stake can overflow it.
    double totalStake = roundPence(static_cast<double>(numberOfBets) * stake * 0.01);
    if (state.taxPaid != 0) {
        totalStake = std::trunc(totalStake * state.taxFactor + 0.5);
    }
    // Without tax paid the tax comes off the returns; they can reach about 1e28
    // hundredths of a penny, far beyond any integer type.
    if (state.taxPaid == 0) {
        returns = std::trunc((2.0 - state.taxFactor) * returns + 0.5);
    }

    SettlementDisplay display{numberOfBets, {}, {}};
    formatPounds(display.totalStake, totalStake * 0.01);
    formatPounds(display.returns, roundPence(returns * 0.01) * 0.01);
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
