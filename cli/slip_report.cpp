#include "cli/slip_report.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "cli/text_encoding.h"
#include "engine/catalogue.h"
#include "engine/line_texts.h"
#include "engine/selection_terms.h"
#include "engine/slip_texts.h"
#include "engine/working_steps.h"
#include "text/windows1252.h"

namespace quorvel::cli {

namespace {

template <typename Number>
void appendNumber(std::string& out, Number value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

std::string_view displayText(const std::array<char, kAmountTextSize>& text) {
    return {text.data()};
}

// Writes an amount the engine wrote in Windows-1252 as UTF-8 at `to`, and gives the end.
char* writeAmount(char* to, const std::array<char, kAmountTextSize>& amount) {
    for (const char* from = amount.data(); *from != '\0'; ++from) {
        if (static_cast<unsigned char>(*from) < 0x80) {
            *to++ = *from;
            continue;
        }
        // Windows-1252 reaches no further than U+2122.
        const char32_t c = text::codePointOf1252(*from);
        if (c < 0x800) {
            *to++ = static_cast<char>(0xC0 | (c >> 6));
        } else {
            *to++ = static_cast<char>(0xE0 | (c >> 12));
            *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        *to++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return to;
}

template <std::size_t N>
char* writeText(char* to, const char (&text)[N]) {
    std::memcpy(to, text, N - 1);
    return to + N - 1;
}

// "name": [{"step": "taxDeducted", "text": "Tax 9% deducted ...", "change": "-£0.0990",
// "amount": "£1.0010"}, ...]
void appendJsonSteps(std::string& out, const char* name, const std::vector<WorkingStep>& steps) {
    out += ", \"";
    out += name;
    out += "\": [";
    for (std::size_t i = 0; i < steps.size(); ++i) {
        out += i == 0 ? "{\"step\": \"" : ", {\"step\": \"";
        out += steps[i].key;
        out += "\", \"text\": ";
        appendJsonString(out, toUtf8(steps[i].text));
        if (!steps[i].change.empty()) {
            out += ", \"change\": \"";
            appendUtf8(out, steps[i].change);
            out += '"';
        }
        out += ", \"amount\": \"";
        appendUtf8(out, steps[i].amount);
        out += "\"}";
    }
    out += ']';
}

// "  text ......  change  amount" under the lines.
void appendTextSteps(std::string& out, const std::vector<WorkingStep>& steps) {
    for (const WorkingStep& step : steps) {
        char row[256];
        std::snprintf(row, sizeof row, "  %-44s  %12s  %s\n", toUtf8(step.text).c_str(),
                      toUtf8(step.change).c_str(), toUtf8(step.amount).c_str());
        out += row;
    }
}

}  // namespace

const SettledSlip& SlipSettler::settle(const SlipRequest& request) {
    if (explain_) {
        const SettlementObserver observer = recordLines(settled_.record);
        settled_.display = settleAmounts(request, &observer);
    } else {
        settled_.record.lines.clear();
        settled_.record.steps = SettlementSteps{};
        settled_.display = settleAmounts(request);
    }
    return settled_;
}

void appendJsonResult(std::string& out, const SettledSlip& settled, bool explain) {
    // The line as far as the returns, written in one piece: every slip's answer starts so.
    // Each amount takes at most three bytes for each of its characters.
    char line[64 + 2 * 3 * kAmountTextSize];
    char* to = writeText(line, "{\"bets\": ");
    to = std::to_chars(to, to + 16, settled.display.numberOfBets).ptr;
    to = writeText(to, ", \"totalStake\": \"");
    to = writeAmount(to, settled.display.totalStake);
    to = writeText(to, "\", \"returns\": \"");
    to = writeAmount(to, settled.display.returns);
    *to++ = '"';
    if (!explain) {
        to = writeText(to, "}\n");
        out.append(line, to);
        return;
    }
    out.append(line, to);
    out += ", \"lines\": [";
    for (std::size_t i = 0; i < settled.record.lines.size(); ++i) {
        const LineReport& report = settled.record.lines[i];
        out += i == 0 ? "{\"kind\": \"" : ", {\"kind\": \"";
        out += lineKindName(*report.line);
        out += "\", \"legs\": [";
        out += lineRowsText(report, ", ");
        out += "], \"return\": \"";
        appendUtf8(out, lineReturnText(report.roundedReturn));
        out += "\"}";
    }
    out += ']';
    if (settled.record.steps.settled.bonusFactor != 0.0) {
        out += ", \"bonusFactor\": ";
        appendNumber(out, settled.record.steps.settled.bonusFactor);
    }
    const WorkingSteps steps = workingSteps(settled.record.steps, settled.display);
    appendJsonSteps(out, "returnsSteps", steps.returns);
    appendJsonSteps(out, "stakeSteps", steps.stake);
    if (!steps.note.empty()) {
        out += ", \"note\": ";
        appendJsonString(out, toUtf8(steps.note));
    }
    out += "}\n";
}

void appendJsonError(std::string& out, std::string_view message) {
    out += "{\"error\": ";
    appendJsonString(out, message);
    out += "}\n";
}

std::string describeSlip(const SlipRequest& request) {
    const BetSlip& slip = request.slip;
    std::string out = "Selections   " + std::to_string(slip.selectionCount) + "\n";
    out += "Bet          ";
    if (findBetType(slip.selectionCount, slip.betIndex) != nullptr) {
        appendUtf8(out, betText(slip));
    } else {
        out += "position " + std::to_string(slip.betIndex) + ", not on the list: no bets";
    }
    out += "\nStake        " + stakeText(slip);
    out += "\nEach Way     ";
    out += kEachWayTexts[static_cast<std::size_t>(slip.eachWayMode)];
    out += "\nTax Paid     ";
    out += request.taxPaid ? "yes " : "no ";
    out += taxRateText(request.preferences) + "\n";
    const int lucky = luckySelections(slip.selectionCount, slip.betIndex);
    if (lucky != 0) {
        const LuckyTerms terms = luckyTerms(request.preferences, lucky);
        out += "Lucky rules  consolation odds x" + std::to_string(terms.consolation) +
               ", all-winner bonus " + std::to_string(terms.bonus) + "%\n";
    }
    for (int i = 0; i < slip.selectionCount; ++i) {
        const LegTexts shown = legTexts(slip.legs[static_cast<std::size_t>(i)], slip.eachWayMode);
        out += "Leg " + std::to_string(i + 1) + "        ";
        out += shown.result;
        if (!shown.price.empty()) {
            out += " at " + shown.price;
        }
        if (!shown.rule4.empty()) {
            out += ", Rule 4 ";
            appendUtf8(out, shown.rule4);
        }
        if (*shown.placeTerms != '\0') {
            out += ", place terms ";
            out += shown.placeTerms;
        }
        out += '\n';
    }
    return out;
}

std::string describeSettlement(const SettledSlip& settled, bool explain) {
    std::string out;
    if (explain) {
        out += "\n  Line  Kind          Legs         Return\n";
        int number = 0;
        for (const LineReport& report : settled.record.lines) {
            char row[128];
            const std::string legs = lineRowsText(report);
            std::snprintf(row, sizeof row, "  %4d  %-12s  %-11s  %s\n", ++number,
                          lineKindName(*report.line), legs.c_str(),
                          toUtf8(lineReturnText(report.roundedReturn)).c_str());
            out += row;
        }
        const WorkingSteps steps = workingSteps(settled.record.steps, settled.display);
        if (!steps.note.empty()) {
            out += "  " + toUtf8(steps.note) + "\n";
        }
        out += '\n';
        appendTextSteps(out, steps.returns);
        out += '\n';
        appendTextSteps(out, steps.stake);
        out += '\n';
    }
    out += "Bets         " + std::to_string(settled.display.numberOfBets) + "\n";
    out += "Total stake  ";
    appendUtf8(out, displayText(settled.display.totalStake));
    out += "\nReturns      ";
    appendUtf8(out, displayText(settled.display.returns));
    out += '\n';
    return out;
}

}  // namespace quorvel::cli
