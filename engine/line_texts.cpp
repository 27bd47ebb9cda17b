#include "engine/line_texts.h"

#include <charconv>
#include <cstdio>

#include "engine/catalogue.h"
#include "engine/selection_terms.h"

namespace quorvel {

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

std::string lineRowsText(const LineReport& report, const char* separator) {
    std::string out;
    for (int i = 0; i < report.line->legCount; ++i) {
        if (i > 0) {
            out += separator;
        }
        out += std::to_string(report.rows[static_cast<std::size_t>(i)]);
    }
    return out;
}

std::string lineRowsText(const LineReport& report) {
    return lineRowsText(report, report.line->kind == LineKind::StakesAbout ? ">" : "-");
}

std::string lineReturnText(double hundredthsOfPenny) {
    char text[64];
    std::snprintf(text, sizeof text, "\xA3%.4f", hundredthsOfPenny / 10000.0);
    return text;
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
    return shortestNumberText(price) + "/1";
}

std::string shortestNumberText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {text, end};
}

}  // namespace quorvel
