#include "engine/round_pence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

struct RoundCase {
    const char* name;
    double amount;
    double expected;
};

TEST(round_pence, makes_amounts_whole_with_halves_going_up) {
    const RoundCase cases[] = {
        {"nothing stays nothing", 0.0, 0.0},
        {"just under a half goes down", 0.49, 0.0},
        {"a half goes up", 0.5, 1.0},
        {"one and a half goes up", 1.5, 2.0},
        {"two and a half goes up, not to even", 2.5, 3.0},
        {"two point four nine goes down", 2.49, 2.0},
        {"a 2/7 winner on a 10p stake", 1285.7142857142858, 1286.0},
        {"the last half below the bound", 4294967294.5, 4294967295.0},
        {"the bound itself", 4294967295.0, 4294967295.0},
    };
    for (const RoundCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(roundPence(c.amount), c.expected);
    }
}

TEST(round_pence, passes_amounts_above_the_bound_unchanged) {
    // 4294967295.4 is above the bound, so it is not made whole.
    for (double amount :
         {4294967295.4, 4294967296.3, 1e28, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(roundPence(amount), amount);
    }
}

TEST(round_pence, gives_nothing_for_negative_amounts_and_nan) {
    for (double amount : {-0.4, -1.0, -1e30, -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(roundPence(amount), 0.0) << amount;
    }
}

}  // namespace
}  // namespace quorvel
