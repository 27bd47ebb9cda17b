#include "engine/selection_terms.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/bet_slip.h"

namespace quorvel {
namespace {

TEST(price_ladder, each_value_is_its_text_divided_as_written) {
    for (int i = 0; i < kPriceCount; ++i) {
        const std::string text = kPriceTexts[static_cast<std::size_t>(i)];
        SCOPED_TRACE(text);
        const auto slash = text.find('/');
        const double expected =
            text == "Evens" ? 1.0
                            : std::stod(text.substr(0, slash)) / std::stod(text.substr(slash + 1));
        EXPECT_EQ(PriceLadder[static_cast<std::size_t>(i)], expected);
        if (i > 0) {
            EXPECT_LT(PriceLadder[static_cast<std::size_t>(i - 1)], expected);
        }
    }
}

TEST(price_ladder, traditional_forms_keep_their_exact_values) {
    EXPECT_EQ(PriceLadder[11], 2.125);               // 85/40
    EXPECT_EQ(PriceLadder[17], 3.3333333333333335);  // 100/30
    EXPECT_EQ(1.0 / PriceLadder[17], 0.3);           // 100/30 odds-on
    EXPECT_EQ(PriceLadder[58], 1250.0);
}

TEST(rule4_ladder, deducts_five_pence_per_position_with_a_pound_sign_text) {
    EXPECT_STREQ(kRule4Texts[0], "None");
    EXPECT_EQ(Rule4Ladder[0], 0);
    for (int i = 1; i < kRule4Count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(Rule4Ladder[at], 5 * i);
        EXPECT_EQ(std::string(kRule4Texts[at]), std::to_string(5 * i) + "p per \xA3");
    }
}

TEST(leg_result, result_and_place_terms_give_the_settlement_code) {
    struct Case {
        const char* name;
        ResultChoice result;
        PlaceTerms terms;
        int expected;
    };
    const Case cases[] = {
        {"lost whatever the terms", ResultChoice::Lost, PlaceTerms::Quarter, Lost},
        {"won at a fifth", ResultChoice::Won, PlaceTerms::Fifth, WonFifth},
        {"won at a quarter", ResultChoice::Won, PlaceTerms::Quarter, WonQuarter},
        {"won in a race without place betting", ResultChoice::Won, PlaceTerms::WinOnly, WonWinOnly},
        {"placed at a fifth", ResultChoice::Place, PlaceTerms::Fifth, PlacedFifth},
        {"placed at a quarter", ResultChoice::Place, PlaceTerms::Quarter, PlacedQuarter},
        {"placed without place betting earns nothing", ResultChoice::Place, PlaceTerms::WinOnly,
         Lost},
        {"non-runner whatever the terms", ResultChoice::NonRunner, PlaceTerms::WinOnly, NonRunner},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(legResultFor(c.result, c.terms), c.expected);
    }
}

}  // namespace
}  // namespace quorvel
