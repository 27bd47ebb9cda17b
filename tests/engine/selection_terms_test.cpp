#include "engine/selection_terms.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/bet_slip.h"

namespace quorvel {
namespace {

TEST(selection_terms, each_price_is_its_text_divided_as_written_and_rising) {
    for (std::size_t i = 0; i < kPriceTexts.size(); ++i) {
        const std::string text = kPriceTexts[i];
        SCOPED_TRACE(text);
        const auto slash = text.find('/');
        const double value =
            text == "Evens" ? 1.0
                            : std::stod(text.substr(0, slash)) / std::stod(text.substr(slash + 1));
        EXPECT_EQ(PriceLadder[i], value);
        EXPECT_TRUE(i == 0 || PriceLadder[i - 1] < value);
    }
    EXPECT_EQ(1.0 / PriceLadder[17], 0.3);  // "100/30" odds-on
}

TEST(selection_terms, rule4_deducts_five_pence_a_position_named_in_pence_per_pound) {
    for (std::size_t i = 1; i < kRule4Texts.size(); ++i) {
        EXPECT_EQ(Rule4Ladder[i], 5 * static_cast<int>(i));
        EXPECT_EQ(std::string(kRule4Texts[i]), std::to_string(5 * i) + "p per \xA3");
    }
}

TEST(selection_terms, place_terms_decide_what_a_winner_or_placed_leg_is_paid) {
    EXPECT_EQ(legResultFor(ResultChoice::Won, PlaceTerms::Quarter), WonQuarter);
    EXPECT_EQ(legResultFor(ResultChoice::Won, PlaceTerms::WinOnly), WonWinOnly);
    EXPECT_EQ(legResultFor(ResultChoice::Place, PlaceTerms::Fifth), PlacedFifth);
    EXPECT_EQ(legResultFor(ResultChoice::Place, PlaceTerms::WinOnly), Lost);
    EXPECT_EQ(legResultFor(ResultChoice::NonRunner, PlaceTerms::Quarter), NonRunner);
}

}  // namespace
}  // namespace quorvel
