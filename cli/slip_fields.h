#pragma once

// The fields of a slip as the command line takes them, whichever form they come in, and the
// checks that turn them into what the engine settles. Every check names what is wrong with
// the value; the caller knows the field's name.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/app_state.h"
#include "engine/bet_slip.h"
#include "engine/selection_terms.h"

namespace quorvel::cli {

// What is wrong with one field: `field` is its path ("legs[2].price"), empty for the slip
// as a whole.
struct SlipError {
    std::string field;
    std::string problem;

    std::string message() const;
};

// A problem found with a value, or nothing when it was accepted.
using Problem = std::optional<std::string>;

// One selection row as given; legs are numbered from 1, as the window's rows.
struct LegDraft {
    ResultChoice result = ResultChoice::Lost;
    PlaceTerms terms = PlaceTerms::Fifth;
    int priceIndex = 0;
    bool oddsOn = false;
    int rule4 = 0;
};

enum class BetChoice { Default, Text, Position };

// A slip as its fields were read, before the checks that need more than one field.
struct SlipDraft {
    std::array<LegDraft, kMaxSelections> legs{};
    int legCount = 0;
    bool legsGiven = false;
    BetChoice bet = BetChoice::Default;
    std::string_view betText;  // refers to the text the slip was read from
    std::int64_t betPosition = 0;
    EachWayMode eachWay = EachWayMode::Win;
    bool taxPaid = true;
    int unitStake = 10;
    AppState app{};  // holds the preferences

    SlipDraft() { setStartPreferences(app); }
};

// What the engine settles.
struct SlipRequest {
    AppState app;
    BetSlip slip;
};

Problem readResult(std::string_view text, ResultChoice& result);
Problem readPrice(std::string_view text, int& priceIndex);
Problem readRule4Text(std::string_view text, int& rule4);
// The whole-number readers quote the number as it was written, which may lie beyond 64 bits
// (`value` is then saturated).
Problem readRule4Pence(std::int64_t pence, std::string_view written, int& rule4);
Problem readTerms(std::string_view text, PlaceTerms& terms);
Problem readEachWay(std::string_view text, EachWayMode& mode);
// The text of the stake box, read as the box reads it.
Problem readStakeText(std::string_view text, int& unitStake);
Problem readStakePence(std::int64_t pence, std::string_view written, int& unitStake);

// One of the seven preferences, in the order the Preferences dialog checks them.
struct PreferenceField {
    const char* name;
    int AppState::*value;
    int min;
    int max;
    const char* warning;  // the Preferences dialog's text for a value out of range
};
extern const std::array<PreferenceField, 7> kPreferenceFields;

const PreferenceField* findPreference(std::string_view name);
Problem readPreference(const PreferenceField& field, std::int64_t value, std::string_view written,
                       AppState& app);

// Reads a whole decimal integer ("-12"), saturating; false when the text is anything else.
bool parseInteger(std::string_view text, std::int64_t& value);

std::string legField(int leg, std::string_view name);

// Checks what depends on more than one field and builds the slip the engine settles.
std::optional<SlipError> finishSlip(const SlipDraft& draft, SlipRequest& request);

}  // namespace quorvel::cli
