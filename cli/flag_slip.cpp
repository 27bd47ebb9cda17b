#include "cli/flag_slip.h"

#include <cstdint>

#include "cli/text_encoding.h"

namespace quorvel::cli {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The next word of `text`, skipping the white space before it.
std::string_view nextWord(std::string_view& text) {
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < text.size() && !isSpace(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(start, end - start);
    text.remove_prefix(end);
    return word;
}

}  // namespace

SlipCheck readLegArgument(std::string_view text, int number, LegDraft& leg) {
    std::string_view rest = text;
    const std::string_view result = nextWord(rest);
    if (result.empty()) {
        return SlipError{legField(number, "result"), "missing: the leg is empty"};
    }
    if (SlipCheck f = atField(readResult(result, leg.result), legField(number, "result"))) {
        return f;
    }
    bool priceGiven = false;
    bool termsGiven = false;
    for (std::string_view word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
        if (word == "odds-on") {
            leg.oddsOn = true;
        } else if (word.starts_with("rule4=")) {
            std::string value(word.substr(6));
            std::int64_t pence = 0;
            const bool isPence = parseInteger(value, pence);
            // A text of the list spans three words: "rule4=10p per £".
            if (std::string_view after = rest; !isPence && nextWord(after) == "per") {
                value += " per ";
                value += nextWord(after);
                rest = after;
            }
            SlipCheck problem =
                isPence ? readRule4Pence(pence, value, leg.rule4) : readRule4Text(value, leg.rule4);
            if (SlipCheck f = atField(std::move(problem), legField(number, "rule4"))) {
                return f;
            }
        } else if (word == "1/5" || word == "1/4" || word == "Win") {
            std::string terms(word);
            if (word == "Win") {
                const std::string_view only = nextWord(rest);
                terms += ' ';
                terms += only;
            }
            if (termsGiven) {
                return SlipError{legField(number, "terms"), "given more than once"};
            }
            termsGiven = true;
            if (SlipCheck f = atField(readTerms(terms, leg.terms), legField(number, "terms"))) {
                return f;
            }
        } else {
            if (priceGiven) {
                return SlipError{legField(number, "price"),
                                 "given more than once (" + quoted(word) + ")"};
            }
            priceGiven = true;
            if (SlipCheck f = atField(readPrice(word, leg.priceIndex), legField(number, "price"))) {
                return f;
            }
        }
    }
    return {};
}

SlipCheck readSlipFlags(const SlipFlags& flags, SlipRequest& request) {
    SlipDraft draft;
    if (flags.bet) {
        std::int64_t position = 0;
        if (parseInteger(*flags.bet, position)) {
            draft.bet = BetChoice::Position;
            draft.betPosition = position;
        } else {
            draft.bet = BetChoice::Text;
            draft.betText = *flags.bet;
        }
    }
    if (flags.stake) {
        if (SlipCheck f = atField(readStakeText(*flags.stake, draft.unitStake), "stake")) {
            return f;
        }
    }
    if (flags.eachWay) {
        if (SlipCheck f = atField(readEachWay(*flags.eachWay, draft.eachWay), "eachWay")) {
            return f;
        }
    }
    draft.taxPaid = flags.taxPaid;
    for (std::size_t i = 0; i < kPreferenceFields.size(); ++i) {
        if (!flags.preferences[i]) {
            continue;
        }
        const PreferenceField& field = kPreferenceFields[i];
        const std::string name = std::string("preferences.") + field.name;
        std::int64_t value = 0;
        if (!parseInteger(*flags.preferences[i], value)) {
            return SlipError{name, quoted(*flags.preferences[i]) + " is not an integer"};
        }
        if (SlipCheck f = atField(
                readPreference(field, value, *flags.preferences[i], draft.preferences), name)) {
            return f;
        }
    }
    draft.legsGiven = !flags.legs.empty();
    draft.legCount = static_cast<int>(flags.legs.size());
    if (draft.legCount > kMaxSelections) {
        return SlipError{"legs", "must hold 1 to 6 legs, not " + std::to_string(draft.legCount)};
    }
    for (int i = 0; i < draft.legCount; ++i) {
        if (SlipCheck f = readLegArgument(flags.legs[static_cast<std::size_t>(i)], i + 1,
                                          draft.legs[static_cast<std::size_t>(i)])) {
            return f;
        }
    }
    return finishSlip(draft, request);
}

}  // namespace quorvel::cli
