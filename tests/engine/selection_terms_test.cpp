#include "engine/selection_terms.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/bet_slip.h"

namespace quorvel::testing {
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
    for (std::size_t i = 1; i < kRule4Texts.size(); ++i) {
        EXPECT_EQ(std::string(kRule4Texts[i]), std::to_string(Rule4Ladder[i]) + "p per \xA3");
    }
}

TEST(selection_terms, result_and_place_terms_make_a_leg_code_and_read_back_from_it) {
    const struct {
        ResultChoice result;
        PlaceTerms terms;
        int code;
    } cases[] = {
        {ResultChoice::Lost, PlaceTerms::Fifth, Lost},
        {ResultChoice::Won, PlaceTerms::Fifth, WonFifth},
        {ResultChoice::Won, PlaceTerms::Quarter, WonQuarter},
        {ResultChoice::Won, PlaceTerms::WinOnly, WonWinOnly},
        {ResultChoice::NonRunner, PlaceTerms::Fifth, NonRunner},
        {ResultChoice::Place, PlaceTerms::Fifth, PlacedFifth},
        {ResultChoice::Place, PlaceTerms::Quarter, PlacedQuarter},
        {ResultChoice::Place, PlaceTerms::WinOnly, Lost},  // no place part to be paid
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(kResultTexts[static_cast<std::size_t>(c.result)]) + " " +
                     kPlaceTermsTexts[static_cast<std::size_t>(c.terms)]);
        EXPECT_EQ(legResultFor(c.result, c.terms), c.code);
        const LegDescription back = describeLegResult(c.code);
        EXPECT_EQ(legResultFor(back.result, back.terms), c.code);
        if (c.code != Lost && c.code != NonRunner) {
            EXPECT_EQ(back.result, c.result);
            EXPECT_EQ(back.terms, c.terms);
        }
    }
    EXPECT_EQ(describeLegResult(99).result, ResultChoice::Lost);  // any other code settles lost
}

TEST(selection_terms, a_leg_takes_its_price_from_the_ladder_odds_on_the_other_way_round) {
    const Leg sixToFour = makeLeg({ResultChoice::Won, PlaceTerms::Quarter, 6, false, 25});
    EXPECT_EQ(sixToFour.result, WonQuarter);
    EXPECT_EQ(sixToFour.price, 1.5);
    EXPECT_EQ(sixToFour.placePrice, 1.5);
    EXPECT_EQ(sixToFour.rule4, 25);
    const Leg fourToSix = makeLeg({ResultChoice::Place, PlaceTerms::Fifth, 6, true, 0});
    EXPECT_EQ(fourToSix.price, 1.0 / 1.5);
    EXPECT_EQ(fourToSix.placePrice, fourToSix.price);
    for (const int offTheList : {-1, kPriceCount}) {
        EXPECT_EQ(makeLeg({ResultChoice::Won, PlaceTerms::Fifth, offTheList, true, 0}).price, 0.0);
    }
}

}  // namespace
}  // namespace quorvel::testing
