#pragma once

// The fields of a slip as the command line takes them, whichever form they come in, and the
// checks that turn them into what the engine settles. Every check names what is wrong with
// the value; the caller knows the field's name.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/bet_slip.h"
#include "engine/preferences.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"

namespace quorvel::cli {

// What is wrong with one field: `field` is its path ("legs[2].price"), empty for the slip
// as a whole. The readers of one value leave it empty for the caller, who knows the name.
struct SlipError {
    std::string field;
    std::string problem;

    std::string message() const;
};

// The one answer of every check: nothing when the value or the slip was accepted.
using SlipCheck = std::optional<SlipError>;

// The error of a value reader, with the name of the field it was reading.
SlipCheck atField(SlipCheck check, std::string field);

// One selection row as given; legs are numbered from 1, as the window's rows.
using LegDraft = LegChoices;

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
    Preferences preferences = startPreferences();
};

// What the engine settles.
using SlipRequest = SettlementInput;

SlipCheck readResult(std::string_view text, ResultChoice& result);
SlipCheck readPrice(std::string_view text, int& priceIndex);
SlipCheck readRule4Text(std::string_view text, int& rule4);
// The whole-number readers quote the number as it was written, which may lie beyond 64 bits
// (`value` is then saturated).
SlipCheck readRule4Pence(std::int64_t pence, std::string_view written, int& rule4);
SlipCheck readTerms(std::string_view text, PlaceTerms& terms);
SlipCheck readEachWay(std::string_view text, EachWayMode& mode);
// The text of the stake box, read as the box reads it.
SlipCheck readStakeText(std::string_view text, int& unitStake);
SlipCheck readStakePence(std::int64_t pence, std::string_view written, int& unitStake);

const PreferenceField* findPreference(std::string_view name);
SlipCheck readPreference(const PreferenceField& field, std::int64_t value, std::string_view written,
                         Preferences& preferences);

// A text's first eight bytes as one number, zero past its end. On a little-endian machine, two
// texts of eight bytes or fewer with the same length are the same text when these are equal.
inline std::uint64_t textHead(std::string_view text) {
    const char* const at = text.data();
    const std::size_t size = text.size();
    std::uint64_t head = 0;
    if (size >= 8) {
        std::memcpy(&head, at, 8);
    } else if (size >= 4) {
        // Two loads that overlap in the middle, each byte landing where one load of all would.
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        std::memcpy(&low, at, 4);
        std::memcpy(&high, at + size - 4, 4);
        head = low | (std::uint64_t{high} << (8 * (size - 4)));
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            head |= std::uint64_t{static_cast<unsigned char>(at[i])} << (8 * i);
        }
    }
    return head;
}
inline constexpr bool kTextHeadTellsShortTexts = std::endian::native == std::endian::little;

// The lists the readers above take, for a reader that has a text's head at hand and makes its
// own messages (text_list.h).
class TextList;
const TextList& resultList();
const TextList& priceList();
const TextList& rule4List();
const TextList& termsList();
const TextList& eachWayList();

// Reads a whole decimal integer ("-12"), saturating; false when the text is anything else.
bool parseInteger(std::string_view text, std::int64_t& value);

std::string legField(int leg, std::string_view name);

// Checks what depends on more than one field and builds the slip the engine settles.
SlipCheck finishSlip(const SlipDraft& draft, SlipRequest& request);

}  // namespace quorvel::cli
