#include "cli/slip_fields.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <span>
#include <vector>

#include "cli/text_encoding.h"
#include "cli/text_list.h"
#include "engine/catalogue.h"
#include "engine/settle_amounts.h"

namespace quorvel::cli {

namespace {

constexpr std::size_t kStakeBoxCharacters = 7;
constexpr std::int64_t kMaxStakePence = 9999999;
constexpr std::size_t kNumberCharacters = 40;

int findBet(int selectionCount, std::string_view text) {
    static const std::array<TextList, kMaxSelections> lists = {
        TextList(betTypes(1)), TextList(betTypes(2)), TextList(betTypes(3)),
        TextList(betTypes(4)), TextList(betTypes(5)), TextList(betTypes(6))};
    return lists[static_cast<std::size_t>(selectionCount - 1)].find(text);
}

// "one of "a", "b", "c"" for a problem text.
std::string notOneOf(std::string_view text, std::span<const char* const> texts) {
    std::string out = quoted(text) + " is not one of ";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += i == 0 ? "\"" : ", \"";
        appendUtf8(out, texts[i]);
        out += '"';
    }
    return out;
}

// Names the bets there are for `count` selections, so that a misspelt or unfitting bet can be
// put right from the message alone.
std::string notABet(std::string_view text, int count) {
    std::string out = quoted(text) + " is not a bet for " + std::to_string(count) +
                      (count == 1 ? " selection" : " selections") + "; the bets for " +
                      std::to_string(count) + " are ";
    const std::span<const BetType> types = betTypes(count);
    for (std::size_t i = 0; i < types.size(); ++i) {
        out += i == 0 ? "\"" : ", \"";
        appendUtf8(out, types[i].text);
        out += '"';
    }
    return out;
}

// A number as written, for a message; a very long one is cut short.
std::string numberText(std::string_view written) {
    return cutShort(written, kNumberCharacters);
}

}  // namespace

const TextList& resultList() {
    static const TextList list(kResultTexts);
    return list;
}
const TextList& priceList() {
    static const TextList list(kPriceTexts);
    return list;
}
const TextList& rule4List() {
    static const TextList list(kRule4Texts);
    return list;
}
const TextList& termsList() {
    static const TextList list(kPlaceTermsTexts);
    return list;
}
const TextList& eachWayList() {
    static const TextList list(kEachWayTexts);
    return list;
}

std::string SlipError::message() const {
    return field.empty() ? problem : field + ": " + problem;
}

SlipCheck atField(SlipCheck check, std::string field) {
    if (check) {
        check->field = std::move(field);
    }
    return check;
}

SlipCheck readResult(std::string_view text, ResultChoice& result) {
    const int i = resultList().find(text);
    if (i < 0) {
        return SlipError{{}, notOneOf(text, kResultTexts)};
    }
    result = static_cast<ResultChoice>(i);
    return {};
}

SlipCheck readPrice(std::string_view text, int& priceIndex) {
    const int i = priceList().find(text);
    if (i < 0) {
        return SlipError{{}, quoted(text) + " is not on the price list"};
    }
    priceIndex = i;
    return {};
}

SlipCheck readRule4Text(std::string_view text, int& rule4) {
    const int i = rule4List().find(text);
    if (i < 0) {
        return SlipError{{}, quoted(text) + " is not on the Rule 4 list"};
    }
    rule4 = Rule4Ladder[static_cast<std::size_t>(i)];
    return {};
}

SlipCheck readRule4Pence(std::int64_t pence, std::string_view written, int& rule4) {
    if (pence < 0 || pence > Rule4Ladder.back() || pence % 5 != 0) {
        return SlipError{{}, numberText(written) + " is not 0..75 in steps of 5"};
    }
    rule4 = static_cast<int>(pence);
    return {};
}

SlipCheck readTerms(std::string_view text, PlaceTerms& terms) {
    const int i = termsList().find(text);
    if (i < 0) {
        return SlipError{{}, notOneOf(text, kPlaceTermsTexts)};
    }
    terms = static_cast<PlaceTerms>(i);
    return {};
}

SlipCheck readEachWay(std::string_view text, EachWayMode& mode) {
    const int i = eachWayList().find(text);
    if (i < 0) {
        return SlipError{{}, notOneOf(text, kEachWayTexts)};
    }
    mode = static_cast<EachWayMode>(i);
    return {};
}

SlipCheck readStakeText(std::string_view text, int& unitStake) {
    if (characterCount(text) > kStakeBoxCharacters) {
        return SlipError{{}, quoted(text) + " is too long: a stake is at most 7 characters"};
    }
    unitStake = text.empty() ? 10 : decimalValue(text);
    return {};
}

SlipCheck readStakePence(std::int64_t pence, std::string_view written, int& unitStake) {
    if (pence < 0 || pence > kMaxStakePence) {
        return SlipError{{}, numberText(written) + " is not 0..9999999 pence"};
    }
    unitStake = static_cast<int>(pence);
    return {};
}

const PreferenceField* findPreference(std::string_view name) {
    for (const PreferenceField& field : kPreferenceFields) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

SlipCheck readPreference(const PreferenceField& field, std::int64_t value, std::string_view written,
                         Preferences& preferences) {
    if (value < field.min || value > field.max) {
        return SlipError{{},
                         std::string(field.warning) + " (" + numberText(written) + " is not " +
                             std::to_string(field.min) + ".." + std::to_string(field.max) + ")"};
    }
    preferences.*field.value = static_cast<int>(value);
    return {};
}

bool parseInteger(std::string_view text, std::int64_t& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+')) {
        i = 1;
    }
    if (i == text.size()) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        const int digit = text[i] - '0';
        magnitude = magnitude > (INT64_MAX - digit) / 10 ? INT64_MAX : magnitude * 10 + digit;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

std::string legField(int leg, std::string_view name) {
    std::string out = "legs[" + std::to_string(leg) + "]";
    if (!name.empty()) {
        out += '.';
        out += name;
    }
    return out;
}

SlipCheck finishSlip(const SlipDraft& draft, SlipRequest& request) {
    if (!draft.legsGiven) {
        return SlipError{"legs", "missing: give 1 to 6 legs"};
    }
    const int count = draft.legCount;
    if (count < 1 || count > kMaxSelections) {
        return SlipError{"legs", "must hold 1 to 6 legs, not " + std::to_string(count)};
    }
    for (int i = 0; i < count; ++i) {
        if (draft.legs[static_cast<std::size_t>(i)].result == ResultChoice::Place &&
            draft.eachWay == EachWayMode::Win) {
            return SlipError{legField(i + 1, "result"),
                             "\"Place\" is offered only with eachWay \"E/D\" or \"W/W P/P\""};
        }
    }

    BetSlip& slip = request.slip;
    slip.selectionCount = count;
    switch (draft.bet) {
        case BetChoice::Default:
            slip.betIndex = defaultBetIndex(count);
            break;
        case BetChoice::Position:
            slip.betIndex = draft.betPosition < INT_MIN   ? INT_MIN
                            : draft.betPosition > INT_MAX ? INT_MAX
                                                          : static_cast<int>(draft.betPosition);
            break;
        case BetChoice::Text: {
            slip.betIndex = findBet(count, draft.betText);
            if (slip.betIndex < 0) {
                return SlipError{"bet", notABet(draft.betText, count)};
            }
            break;
        }
    }
    slip.eachWayMode = draft.eachWay;
    slip.unitStake = draft.unitStake;
    for (std::size_t i = 0; i < slip.legs.size(); ++i) {
        slip.legs[i] = static_cast<int>(i) < count ? makeLeg(draft.legs[i]) : Leg{};
    }
    request.preferences = draft.preferences;
    request.taxPaid = draft.taxPaid;
    return {};
}

}  // namespace quorvel::cli
