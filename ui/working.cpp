#include "ui/working.h"

#include <cstdio>

#include "engine/catalogue.h"
#include "engine/line_texts.h"
#include "engine/preferences.h"
#include "engine/selection_terms.h"

namespace quorvel {
namespace {

// Pounds from hundredths of a penny, to the penny.
std::string pounds(double hundredths) {
    char text[64];
    std::snprintf(text, sizeof text, "\xA3%.2f", hundredths / 10000.0);
    return text;
}

std::string slipLine(const Working& working) {
    const BetSlip& slip = working.input.slip;
    const BetType* type = findBetType(slip.selectionCount, slip.betIndex);
    std::string out = type != nullptr ? type->text : "No bet chosen";
    out += ", ";
    out += std::to_string(slip.unitStake) + "p per bet, ";
    out += kEachWayTexts[static_cast<std::size_t>(slip.eachWayMode)];
    out += working.input.taxPaid ? ", tax paid" : ", tax not paid";
    out += " (tax rate ";
    out += std::to_string(working.input.preferences.taxRatePercent) + "%)";
    return out;
}

std::vector<std::string> legRow(const BetSlip& slip, int row) {
    const Leg& leg = slip.legs[static_cast<std::size_t>(row - 1)];
    const LegDescription shown = describeLegResult(leg.result);
    std::vector<std::string> cells{
        std::to_string(row), kResultTexts[static_cast<std::size_t>(shown.result)], "", "", ""};
    if (shown.result != ResultChoice::NonRunner && shown.result != ResultChoice::Lost) {
        cells[2] = priceName(leg.price);
        cells[3] = leg.rule4 != 0 ? std::to_string(leg.rule4) + "p per \xA3" : std::string();
        if (slip.eachWayMode != EachWayMode::Win) {
            cells[4] = kPlaceTermsTexts[static_cast<std::size_t>(shown.terms)];
        }
    }
    return cells;
}

std::vector<std::string> lineRow(const LineReport& report, int number) {
    const BetLine& line = *report.line;
    const char* separator = line.kind == LineKind::StakesAbout ? ">" : "-";
    return {std::to_string(number), lineKindName(line), lineRowsText(report, separator),
            pounds(report.roundedReturn), lineReturnText(report.roundedReturn)};
}

// With one winner among a Lucky bet's selections, and no non-runner, its
// single pays at the price times the consolation odds.
std::string consolationNote(const Working& working) {
    const BetSlip& slip = working.input.slip;
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
    const int times = luckyTerms(working.input.preferences, lucky).consolation;
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

WorkingText describeWorking(const Working& working) {
    WorkingText text;
    text.slip = slipLine(working);
    const BetSlip& slip = working.input.slip;
    for (int row = 1; row <= slip.selectionCount && row <= kMaxSelections; ++row) {
        text.legs.push_back(legRow(slip, row));
    }
    int number = 0;
    for (const LineReport& report : working.record.lines) {
        text.lines.push_back(lineRow(report, ++number));
    }
    text.note = consolationNote(working);
    if (working.record.bonusFactor != 0.0) {
        text.note = "All-winner bonus: the lines' total times ";
        text.note += shortestNumberText(working.record.bonusFactor);
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
