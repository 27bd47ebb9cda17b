#include "cli/slip_report.h"

#include <charconv>
#include <cstdio>

#include "cli/text_encoding.h"
#include "engine/catalogue.h"
#include "engine/selection_terms.h"

namespace quorvel::cli {

namespace {

void onLine(void* context, const LineReport& report) {
    static_cast<SettledSlip*>(context)->lines.push_back(report);
}

void onBonus(void* context, double factor) {
    static_cast<SettledSlip*>(context)->bonusFactor = factor;
}

template <typename Number>
void appendNumber(std::string& out, Number value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

std::string_view displayText(const std::array<char, kAmountTextSize>& text) {
    return {text.data()};
}

std::string legRows(const LineReport& report, const char* separator) {
    std::string out;
    for (int i = 0; i < report.line->legCount; ++i) {
        if (i > 0) {
            out += separator;
        }
        out += std::to_string(report.rows[static_cast<std::size_t>(i)]);
    }
    return out;
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
    return std::to_string(price);
}

}  // namespace

const SettledSlip& SlipSettler::settle(const SlipRequest& request) {
    settled_.lines.clear();
    settled_.bonusFactor = 0.0;
    if (explain_) {
        const SettlementObserver observer{&settled_, &onLine, &onBonus};
        settled_.display = settleAmounts(request, &observer);
    } else {
        settled_.display = settleAmounts(request);
    }
    return settled_;
}

const char* lineKindName(const BetLine& line) {
    if (line.kind == LineKind::Single) {
        return "single";
    }
    if (line.kind == LineKind::StakesAbout) {
        return "stakes-about";
    }
    switch (line.legCount) {
        case 2:
            return "double";
        case 3:
            return "treble";
        case 4:
            return "4-fold";
        case 5:
            return "5-fold";
        default:
            return "6-fold";
    }
}

std::string lineReturnText(double hundredthsOfPenny) {
    char text[64];
    std::snprintf(text, sizeof text, "\xC2\xA3%.4f", hundredthsOfPenny / 10000.0);
    return text;
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
        for (std::size_t i = 0; i < settled.lines.size(); ++i) {
            const LineReport& report = settled.lines[i];
            out += i == 0 ? "{\"kind\": \"" : ", {\"kind\": \"";
            out += lineKindName(*report.line);
            out += "\", \"legs\": [";
            out += legRows(report, ", ");
            out += "], \"return\": \"";
            out += lineReturnText(report.roundedReturn);
            out += "\"}";
        }
        out += ']';
        if (settled.bonusFactor != 0.0) {
            out += ", \"bonusFactor\": ";
            appendNumber(out, settled.bonusFactor);
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
        for (const LineReport& report : settled.lines) {
            char row[128];
            const std::string legs =
                legRows(report, report.line->kind == LineKind::StakesAbout ? ">" : "-");
            std::snprintf(row, sizeof row, "  %4d  %-12s  %-11s  %s\n", ++number,
                          lineKindName(*report.line), legs.c_str(),
                          lineReturnText(report.roundedReturn).c_str());
            out += row;
        }
        if (settled.bonusFactor != 0.0) {
            std::string factor;
            appendNumber(factor, settled.bonusFactor);
            out += "  All-winner bonus: the lines' total times " + factor + "\n";
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
