#include "cli/slip_report.h"

#include <charconv>
#include <cstdio>

#include "cli/text_encoding.h"
#include "engine/catalogue.h"
#include "engine/line_texts.h"
#include "engine/selection_terms.h"

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

}  // namespace

const SettledSlip& SlipSettler::settle(const SlipRequest& request) {
    if (explain_) {
        const SettlementObserver observer = recordLines(settled_.record);
        settled_.display = settleAmounts(request, &observer);
    } else {
        settled_.record.lines.clear();
        settled_.record.bonusFactor = 0.0;
        settled_.display = settleAmounts(request);
    }
    return settled_;
}

void appendJsonResult(std::string& out, const SettledSlip& settled, bool explain) {
    out += "{\"bets\": ";
    appendNumber(out, settled.display.numberOfBets);
    out += ", \"totalStake\": \"";
    appendUtf8(out, displayText(settled.display.totalStake));
    out += "\", \"returns\": \"";
    appendUtf8(out, displayText(settled.display.returns));
    out += '"';
    if (explain) {
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
        if (settled.record.bonusFactor != 0.0) {
            out += ", \"bonusFactor\": ";
            appendNumber(out, settled.record.bonusFactor);
        }
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
    const BetType* type = findBetType(slip.selectionCount, slip.betIndex);
    if (type != nullptr) {
        appendUtf8(out, type->text);
    } else {
        out += "position " + std::to_string(slip.betIndex) + ", not on the list: no bets";
    }
    out += "\nStake        " + std::to_string(slip.unitStake) + "p per bet";
    out += "\nEach Way     ";
    out += kEachWayTexts[static_cast<std::size_t>(slip.eachWayMode)];
    out += "\nTax Paid     ";
    out += request.taxPaid ? "yes" : "no";
    out += " (tax rate " + std::to_string(request.preferences.taxRatePercent) + "%)\n";
    const int lucky = luckySelections(slip.selectionCount, slip.betIndex);
    if (lucky != 0) {
        const LuckyTerms terms = luckyTerms(request.preferences, lucky);
        out += "Lucky rules  consolation odds x" + std::to_string(terms.consolation) +
               ", all-winner bonus " + std::to_string(terms.bonus) + "%\n";
    }
    for (int i = 0; i < slip.selectionCount; ++i) {
        const Leg& leg = slip.legs[static_cast<std::size_t>(i)];
        out += "Leg " + std::to_string(i + 1) + "        ";
        const LegDescription shown = describeLegResult(leg.result);
        out += kResultTexts[static_cast<std::size_t>(shown.result)];
        if (shown.result != ResultChoice::NonRunner && shown.result != ResultChoice::Lost) {
            out += " at " + priceName(leg.price);
            if (leg.rule4 != 0) {
                out += ", Rule 4 " + std::to_string(leg.rule4) + "p per \xC2\xA3";
            }
            if (slip.eachWayMode != EachWayMode::Win) {
                out += ", place terms ";
                out += kPlaceTermsTexts[static_cast<std::size_t>(shown.terms)];
            }
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
            const std::string legs =
                lineRowsText(report, report.line->kind == LineKind::StakesAbout ? ">" : "-");
            std::snprintf(row, sizeof row, "  %4d  %-12s  %-11s  %s\n", ++number,
                          lineKindName(*report.line), legs.c_str(),
                          toUtf8(lineReturnText(report.roundedReturn)).c_str());
            out += row;
        }
        if (settled.record.bonusFactor != 0.0) {
            out += "  All-winner bonus: the lines' total times " +
                   shortestNumberText(settled.record.bonusFactor) + "\n";
        }
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
