#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quorvel {
namespace {

// Sort key of the canonical order: singles, then multiples by size, each in
// lexicographic order of their legs; then the halves i→j (i < j), then j→i.
std::tuple<int, int, int, int, int, int, int, int> canonicalKey(const BetLine& line) {
    if (line.kind == LineKind::StakesAbout) {
        const bool reversed = line.legs[0] > line.legs[1];
        return {7,
                reversed,
                std::min(line.legs[0], line.legs[1]),
                std::max(line.legs[0], line.legs[1]),
                0,
                0,
                0,
                0};
    }
    return {line.legCount, line.legs[0], line.legs[1], line.legs[2],
            line.legs[3],  line.legs[4], line.legs[5], 0};
}

// "1234+" names the line sizes an entry holds, "+" its stakes-about halves.
std::string groupsOf(const BetType& type) {
    std::string groups;
    for (const BetLine& line : type.lines) {
        const char group = line.kind == LineKind::StakesAbout ? '+' : char('0' + line.legCount);
        if (groups.find(group) == std::string::npos) {
            groups += group;
        }
    }
    return groups;
}

int choose(int n, int k) {
    return k == 0 ? 1 : choose(n - 1, k - 1) * n / k;
}

::testing::AssertionResult isCanonical(const BetType& type, int selections) {
    int expectedCount = 0;
    for (char group : groupsOf(type)) {
        expectedCount +=
            group == '+' ? selections * (selections - 1) : choose(selections, group - '0');
    }
    if (static_cast<int>(type.lines.size()) != expectedCount) {
        return ::testing::AssertionFailure() << "a group is incomplete";
    }
    for (std::size_t i = 0; i < type.lines.size(); ++i) {
        const BetLine& line = type.lines[i];
        const bool kindFits = line.kind == LineKind::Single     ? line.legCount == 1
                              : line.kind == LineKind::Multiple ? line.legCount >= 2
                                                                : line.legCount == 2;
        if (!kindFits) {
            return ::testing::AssertionFailure() << "line " << i << " has the wrong kind";
        }
        for (std::size_t k = 0; k < line.legCount; ++k) {
            const int legNumber = line.legs[k];
            const bool ascending =
                k == 0 || line.legs[k - 1] < line.legs[k] ||
                (line.kind == LineKind::StakesAbout && line.legs[0] != line.legs[1]);
            if (legNumber < 1 || legNumber > selections || !ascending) {
                return ::testing::AssertionFailure() << "line " << i << " has bad legs";
            }
        }
        if (i > 0 && !(canonicalKey(type.lines[i - 1]) < canonicalKey(line))) {
            return ::testing::AssertionFailure() << "line " << i << " is out of order";
        }
    }
    return ::testing::AssertionSuccess();
}

struct Entry {
    int selections;
    const char* text;
    std::size_t lines;
    const char* groups;
};

const Entry kEntries[] = {
    {1, "Single", 1, "1"},
    {2, "Singles", 2, "1"},
    {2, "Double", 1, "2"},
    {2, "Doubles + Singles", 3, "12"},
    {3, "Singles", 3, "1"},
    {3, "Doubles", 3, "2"},
    {3, "Doubles + Singles", 6, "12"},
    {3, "Doubles + Treble (Trixie)", 4, "23"},
    {3, "Treble", 1, "3"},
    {3, "Patent", 7, "123"},
    {3, "Round-Robin", 10, "23+"},
    {4, "Singles", 4, "1"},
    {4, "Doubles", 6, "2"},
    {4, "Doubles + Singles", 10, "12"},
    {4, "Doubles + Treble", 10, "23"},
    {4, "Trebles", 4, "3"},
    {4, "Singles, Doubles, Trebles", 14, "123"},
    {4, "Accumulator", 1, "4"},
    {4, "Lucky 15", 15, "1234"},
    {4, "Yankee", 11, "234"},
    {4, "Flag", 23, "234+"},
    {5, "Singles", 5, "1"},
    {5, "Doubles", 10, "2"},
    {5, "Trebles", 10, "3"},
    {5, "4-timers", 5, "4"},
    {5, "Accumulator", 1, "5"},
    {5, "Lucky 31", 31, "12345"},
    {5, "Canadian / Super Yankee", 26, "2345"},
    {6, "Singles", 6, "1"},
    {6, "Doubles", 15, "2"},
    {6, "Trebles", 20, "3"},
    {6, "4-timers", 15, "4"},
    {6, "5-timers", 6, "5"},
    {6, "Accumulator", 1, "6"},
    {6, "Lucky 63", 63, "123456"},
    {6, "Heinz", 57, "23456"},
    {6, "Doubles + Trebles", 35, "23"},
};

TEST(catalogue, every_entry_holds_its_groups_in_canonical_order) {
    std::size_t next = 0;
    for (int n = 1; n <= 6; ++n) {
        for (const BetType& type : betTypes(n)) {
            ASSERT_LT(next, std::size(kEntries));
            const Entry& entry = kEntries[next++];
            SCOPED_TRACE(std::to_string(n) + " selections: " + entry.text);
            EXPECT_EQ(entry.selections, n);
            EXPECT_STREQ(type.text, entry.text);
            EXPECT_EQ(type.lines.size(), entry.lines);
            EXPECT_EQ(groupsOf(type), entry.groups);
            EXPECT_TRUE(isCanonical(type, n));
        }
    }
    EXPECT_EQ(next, std::size(kEntries));
}

TEST(catalogue, round_robin_halves_come_after_the_treble_pairs_first) {
    const BetType* roundRobin = findBetType(3, 6);
    ASSERT_NE(roundRobin, nullptr);
    const int expected[6][2] = {{1, 2}, {1, 3}, {2, 3}, {2, 1}, {3, 1}, {3, 2}};
    for (int i = 0; i < 6; ++i) {
        const BetLine& half = roundRobin->lines[static_cast<std::size_t>(4 + i)];
        EXPECT_EQ(half.kind, LineKind::StakesAbout);
        EXPECT_EQ(half.legs[0], expected[i][0]);
        EXPECT_EQ(half.legs[1], expected[i][1]);
    }
}

TEST(catalogue, list_opens_on_the_usual_bet_for_each_count) {
    const char* expected[] = {"Single", "Double", "Patent", "Lucky 15", "Canadian / Super Yankee",
                              "Heinz"};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_STREQ(betTypes(n)[static_cast<std::size_t>(defaultBetIndex(n))].text,
                     expected[n - 1]);
    }
    EXPECT_EQ(defaultBetIndex(0), -1);
    EXPECT_EQ(defaultBetIndex(7), -1);
    EXPECT_TRUE(betTypes(7).empty());
}

TEST(catalogue, pairs_outside_the_lists_have_no_lines_except_with_one_selection) {
    EXPECT_EQ(findBetType(1, 3), &betTypes(1)[0]);
    EXPECT_EQ(findBetType(1, -1), &betTypes(1)[0]);
    EXPECT_EQ(findBetType(2, 3), nullptr);
    EXPECT_EQ(findBetType(4, 10), nullptr);
    EXPECT_EQ(findBetType(4, -1), nullptr);
    EXPECT_EQ(findBetType(0, 0), nullptr);
    EXPECT_EQ(findBetType(7, 0), nullptr);
}

TEST(catalogue, only_the_three_lucky_bets_carry_lucky_rules) {
    int lucky = 0;
    for (int n = 0; n <= 7; ++n) {
        for (int p = -1; p < 12; ++p) {
            if (luckySelections(n, p) != 0) {
                ++lucky;
                EXPECT_EQ(luckySelections(n, p), n);
                EXPECT_EQ(std::string(findBetType(n, p)->text),
                          "Lucky " + std::to_string((1 << n) - 1));
            }
        }
    }
    EXPECT_EQ(lucky, 3);
}

}  // namespace
}  // namespace quorvel
