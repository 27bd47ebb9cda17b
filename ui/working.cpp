#include "ui/working.h"

#include "engine/line_texts.h"
#include "engine/slip_texts.h"
#include "engine/working_steps.h"

namespace quorvel {
namespace {

std::vector<std::string> legRow(const BetSlip& slip, int row) {
    const LegTexts shown = legTexts(slip.legs[static_cast<std::size_t>(row - 1)], slip.eachWayMode);
    return {std::to_string(row), shown.result, shown.price, shown.rule4, shown.placeTerms};
}

std::vector<std::string> lineRow(const LineReport& report, int number) {
    return {std::to_string(number), lineKindName(*report.line), lineRowsText(report),
            lineReturnText(report.roundedReturn), ""};
}

void appendSteps(TextRows& rows, const std::vector<WorkingStep>& steps) {
    for (const WorkingStep& step : steps) {
        rows.push_back({"", step.text, "", step.change, step.amount});
    }
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
const std::vector<std::string> kLineColumns{"Line", "Kind", "Rows", "Amount", "Total"};

Working& lastWorking() {
    static Working working;
    return working;
}

WorkingText describeWorking(const Working& working) {
    WorkingText text;
    const BetSlip& slip = working.input.slip;
    text.slip = working.outOfDate ? "Slip changed since: " : "";
    text.slip += slipSummary(slip, working.input.taxPaid, working.input.preferences);
    for (int row = 1; row <= slip.selectionCount && row <= kMaxSelections; ++row) {
        text.legs.push_back(legRow(slip, row));
    }
    int number = 0;
    for (const LineReport& report : working.record.lines) {
        text.lines.push_back(lineRow(report, ++number));
    }
    const WorkingSteps steps = workingSteps(working.record.steps, working.display);
    appendSteps(text.lines, steps.returns);
    appendSteps(text.lines, steps.stake);
    text.note = steps.note;
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
