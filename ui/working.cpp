#include "ui/working.h"

#include <cstdio>
#include <cstdlib>

#include "engine/catalogue.h"
#include "engine/selection_terms.h"

namespace quorvel {
namespace {

void onLine(void* context, const LineReport& report) {
    static_cast<Working*>(context)->lines.push_back(report);
}

void onBonus(void* context, double factor) {
    static_cast<Working*>(context)->bonusFactor = factor;
}

// Pounds from hundredths of a penny: "\xA3" and `decimals` places.
std::string pounds(double hundredths, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "\xA3%.*f", decimals, hundredths / 10000.0);
    return text;
}

// A number in the shortest form that reads back the same, as "1.1" or "12".
std::string shortest(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    for (int digits = 1; digits < 17; ++digits) {
        char shorter[32];
        std::snprintf(shorter, sizeof shorter, "%.*g", digits, value);
        if (std::strtod(shorter, nullptr) == value) {
            return shorter;
        }
    }
    return text;
}

const char* lineKind(const BetLine& line) {
    if (line.kind == LineKind::Single) {
        return "single";
    }
    if (line.kind == LineKind::StakesAbout) {
        return "stakes-about";
    }
    static const char* const folds[] = {"double", "treble", "4-fold", "5-fold", "6-fold"};
    return folds[line.legCount < 2 ? 0 : (line.legCount > 6 ? 4 : line.legCount - 2)];
}

const char* resultName(int code) {
    switch (code) {
        case WonFifth:
        case WonQuarter:
        case WonWinOnly:
            return "Won";
        case PlacedFifth:
        case PlacedQuarter:
            return "Place";
        case NonRunner:
            return "Non-Runner";
        default:
            return "Lost";
    }
}

const char* termsName(int code) {
    switch (code) {
        case WonQuarter:
        case PlacedQuarter:
            return "1/4";
        case WonWinOnly:
            return "Win Only";
        default:
            return "1/5";
    }
}

std::string priceName(double price) {
    for (std::size_t i = 0; i < PriceLadder.size(); ++i) {
        if (PriceLadder[i] == price) {
            return kPriceTexts[i];
        }
        if (1.0 / PriceLadder[i] == price) {
            return std::string(kPriceTexts[i]) + " odds-on";
        }
    }
    return shortest(price) + "/1";
}

// The consolation odds and all-winner bonus of a Lucky bet.
struct Lucky {
    int consolation;
    int bonus;
};

Lucky luckyTerms(const AppState& app, int selections) {
    switch (selections) {
        case 4:
            return {app.lucky15Consolation, app.lucky15Bonus};
        case 5:
            return {app.lucky31Consolation, app.lucky31Bonus};
        default:
            return {app.lucky63Consolation, app.lucky63Bonus};
    }
}

std::string slipLine(const Working& working) {
    const BetSlip& slip = working.slip;
    const BetType* type = findBetType(slip.selectionCount, slip.betIndex);
    std::string out = type != nullptr ? type->text : "No bet chosen";
    out += ", ";
    out += std::to_string(slip.unitStake) + "p per bet, ";
    out += kEachWayTexts[static_cast<std::size_t>(slip.eachWayMode)];
    out += working.app.taxPaid != 0 ? ", tax paid" : ", tax not paid";
    out += " (tax rate ";
    out += std::to_string(working.app.taxRatePercent) + "%)";
    return out;
}

std::vector<std::string> legRow(const BetSlip& slip, int row) {
    const Leg& leg = slip.legs[static_cast<std::size_t>(row - 1)];
    std::vector<std::string> cells{std::to_string(row), resultName(leg.result), "", "", ""};
    if (leg.result != NonRunner && leg.result != Lost) {
        cells[2] = priceName(leg.price);
        cells[3] = leg.rule4 != 0 ? std::to_string(leg.rule4) + "p per \xA3" : std::string();
        cells[4] = slip.eachWayMode != EachWayMode::Win ? termsName(leg.result) : "";
    }
    return cells;
}

std::vector<std::string> lineRow(const LineReport& report, int number) {
    const BetLine& line = *report.line;
    std::string rows;
    for (int i = 0; i < line.legCount; ++i) {
        if (i > 0) {
            rows += line.kind == LineKind::StakesAbout ? ">" : "-";
        }
        rows += std::to_string(report.rows[static_cast<std::size_t>(i)]);
    }
    return {std::to_string(number), lineKind(line), rows, pounds(report.roundedReturn, 2),
            pounds(report.roundedReturn, 4)};
}

// With one winner among a Lucky bet's selections, and no non-runner, its
// single pays at the price times the consolation odds.
std::string consolationNote(const Working& working) {
    const BetSlip& slip = working.slip;
    const int lucky = luckySelections(slip.selectionCount, slip.betIndex);
    int winners = 0;
    int winnerRow = 0;
    for (int row = 1; row <= lucky; ++row) {
        const int result = slip.legs[static_cast<std::size_t>(row - 1)].result;
        if (result == NonRunner) {
            return {};
        }
        if (isWinner(result)) {
            ++winners;
            winnerRow = row;
        }
    }
    if (lucky == 0 || winners != 1) {
        return {};
    }
    const int times = luckyTerms(working.app, lucky).consolation;
    const double price = slip.legs[static_cast<std::size_t>(winnerRow - 1)].price;
    std::string note = "Consolation single: the lone winner on row ";
    note += std::to_string(winnerRow) + " at " + priceName(price) + " times ";
    note += std::to_string(times) + " = " + priceName(static_cast<double>(times) * price);
    return note;
}

void appendRow(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += i == 0 ? "" : "\t";
        out += cells[i];
    }
    out += "\r\n";
}

}  // namespace

const std::vector<std::string> kLegColumns{"Row", "Result", "Price", "Rule 4", "Place terms"};
const std::vector<std::string> kLineColumns{"Line", "Kind", "Rows", "Return", "To 1/100p"};

Working& lastWorking() {
    static Working working;
    return working;
}

SettlementObserver startRecording(Working& working) {
    working.settled = false;
    working.lines.clear();
    working.lines.reserve(kMaxLinesPerBet);
    working.bonusFactor = 0.0;
    return {&working, &onLine, &onBonus};
}

WorkingText describeWorking(const Working& working) {
    WorkingText text;
    text.slip = slipLine(working);
    for (int row = 1; row <= working.slip.selectionCount && row <= kMaxSelections; ++row) {
        text.legs.push_back(legRow(working.slip, row));
    }
    int number = 0;
    for (const LineReport& report : working.lines) {
        text.lines.push_back(lineRow(report, ++number));
    }
    text.note = consolationNote(working);
    if (working.bonusFactor != 0.0) {
        text.note = "All-winner bonus: the lines' total times ";
        text.note += shortest(working.bonusFactor);
    }
    text.totals = {{"Bets", std::to_string(working.display.numberOfBets)},
                   {"Total stake", working.display.totalStake.data()},
                   {"Returns", working.display.returns.data()}};
    return text;
}

std::string workingClipboardText(const WorkingText& text) {
    std::string out = text.slip + "\r\n\r\n";
    appendRow(out, kLegColumns);
    for (const auto& row : text.legs) {
        appendRow(out, row);
    }
    out += "\r\n";
    appendRow(out, kLineColumns);
    for (const auto& row : text.lines) {
        appendRow(out, row);
    }
    out += "\r\n";
    if (!text.note.empty()) {
        out += text.note + "\r\n";
    }
    for (const auto& row : text.totals) {
        appendRow(out, row);
    }
    return out;
}

}  // namespace quorvel
