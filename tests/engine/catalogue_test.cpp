#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quorvel::testing {
namespace {

// Canonical order: singles, then multiples by size, each in lexicographic order
// of their legs; then the halves i→j for i < j, then j→i.
std::array<int, 7> canonicalKey(const BetLine& l) {
    const int a = l.legs[0], b = l.legs[1];
    if (l.kind == LineKind::StakesAbout) {
        return {7, a < b ? a : b + 6, a < b ? b : a};
    }
    return {l.legCount, a, b, l.legs[2], l.legs[3], l.legs[4], l.legs[5]};
}

// "234+" for an entry of doubles, trebles, 4-folds and stakes-about halves.
std::string groupsOf(const BetType& type) {
    std::string groups;
    for (const BetLine& l : type.lines) {
        const char g = l.kind == LineKind::StakesAbout ? '+' : static_cast<char>('0' + l.legCount);
        if (groups.find(g) == std::string::npos) {
            groups += g;
        }
    }
    return groups;
}

int choose(int n, int k) {
    return k == 0 ? 1 : choose(n - 1, k - 1) * n / k;
}

::testing::AssertionResult holdsWholeGroupsInCanonicalOrder(const BetType& type, int n) {
    int count = 0;
    for (char g : groupsOf(type)) {
        count += g == '+' ? n * (n - 1) : choose(n, g - '0');
    }
    for (std::size_t i = 0; i < type.lines.size(); ++i) {
        const BetLine& l = type.lines[i];
        const bool half = l.kind == LineKind::StakesAbout;
        bool fits = (l.kind == LineKind::Single) == (l.legCount == 1) &&
                    (!half || (l.legCount == 2 && l.legs[0] != l.legs[1]));
        for (std::size_t k = 0; k < 6; ++k) {
            fits = fits && (k < l.legCount ? l.legs[k] >= 1 && l.legs[k] <= n &&
                                                 (k == 0 || half || l.legs[k - 1] < l.legs[k])
                                           : l.legs[k] == 0);
        }
        if (!fits || (i > 0 && !(canonicalKey(type.lines[i - 1]) < canonicalKey(l)))) {
            return ::testing::AssertionFailure() << "line " << i << " is wrong or out of order";
        }
    }
    // Distinct lines in strict order, as many as the groups hold: no line is missing.
    if (static_cast<int>(type.lines.size()) != count) {
        return ::testing::AssertionFailure() << "a group is incomplete";
    }
    return ::testing::AssertionSuccess();
}

TEST(catalogue, every_entry_holds_its_whole_groups_in_canonical_order) {
    // Each count's entries in list order as "text=groups".
    const char* const expected[] = {
        "",
        "Single=1;",
        "Singles=1;Double=2;Doubles + Singles=12;",
        "Singles=1;Doubles=2;Doubles + Singles=12;Doubles + Treble (Trixie)=23;Treble=3;"
        "Patent=123;Round-Robin=23+;",
        "Singles=1;Doubles=2;Doubles + Singles=12;Doubles + Treble=23;Trebles=3;"
        "Singles, Doubles, Trebles=123;Accumulator=4;Lucky 15=1234;Yankee=234;Flag=234+;",
        "Singles=1;Doubles=2;Trebles=3;4-timers=4;Accumulator=5;Lucky 31=12345;"
        "Canadian / Super Yankee=2345;",
        "Singles=1;Doubles=2;Trebles=3;4-timers=4;5-timers=5;Accumulator=6;Lucky 63=123456;"
        "Heinz=23456;Doubles + Trebles=23;",
        ""};
    for (int n = 0; n <= 7; ++n) {
        std::string entries;
        for (const BetType& type : betTypes(n)) {
            entries += std::string(type.text) + "=" + groupsOf(type) + ";";
            EXPECT_TRUE(holdsWholeGroupsInCanonicalOrder(type, n)) << type.text;
        }
        EXPECT_EQ(entries, expected[n]);
    }
}

// The worked sets are checked by the property tests, which settle every entry
// line by line: a wrong set gives a wrong amount there.
TEST(catalogue, only_entries_with_stakes_about_halves_are_marked_stakes_about) {
    for (int n = 1; n <= 6; ++n) {
        for (const BetType& type : betTypes(n)) {
            SCOPED_TRACE(type.text);
            EXPECT_EQ(type.stakesAbout, groupsOf(type).back() == '+');
        }
    }
}

TEST(catalogue, list_opens_on_the_usual_bet_and_unlisted_pairs_have_no_lines) {
    const char* usual[] = {"Single", "Double", "Patent", "Lucky 15", "Canadian / Super Yankee",
                           "Heinz"};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_STREQ(findBetType(n, defaultBetIndex(n))->text, usual[n - 1]);
    }
    EXPECT_EQ(defaultBetIndex(7), -1);
    EXPECT_EQ(findBetType(1, -1), findBetType(1, 3));  // one selection: always the single
    EXPECT_EQ(findBetType(4, 10), nullptr);            // past the list's end
    EXPECT_EQ(findBetType(4, -1), nullptr);            // nothing selected
    EXPECT_EQ(findBetType(0, 0), nullptr);
}

TEST(catalogue, only_the_three_lucky_bets_have_lucky_rules) {
    for (int n = 1; n <= 6; ++n) {
        for (int index = 0; index < static_cast<int>(betTypes(n).size()); ++index) {
            const std::string text = betTypes(n)[static_cast<std::size_t>(index)].text;
            SCOPED_TRACE(text);
            EXPECT_EQ(luckySelections(n, index), text.starts_with("Lucky ") ? n : 0);
        }
    }
    EXPECT_EQ(luckySelections(4, -1), 0);
}

}  // namespace
}  // namespace quorvel::testing
