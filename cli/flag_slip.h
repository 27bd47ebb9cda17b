#pragma once

// One slip given as options and leg arguments, for a person at a terminal.

#include <optional>
#include <string>
#include <vector>

#include "cli/slip_fields.h"

namespace quorvel::cli {

// The options as typed; an option left out keeps the JSON form's default.
struct SlipFlags {
    std::optional<std::string> bet;
    std::optional<std::string> stake;
    std::optional<std::string> eachWay;
    bool taxPaid = true;
    std::array<std::optional<std::string>, kPreferenceFields.size()>
        preferences;                // in kPreferenceFields order
    std::vector<std::string> legs;  // "Won 5/1", "Place 3/1 1/4 rule4=10 odds-on", "Lost"
};

// Reads one leg argument: a result, then in any order a price, place terms ("1/5", "1/4",
// "Win Only"), "odds-on" and "rule4=N" (or "rule4=TEXT").
SlipCheck readLegArgument(std::string_view text, int number, LegDraft& leg);

SlipCheck readSlipFlags(const SlipFlags& flags, SlipRequest& request);

}  // namespace quorvel::cli
