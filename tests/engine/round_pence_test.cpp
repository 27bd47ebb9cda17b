#include "engine/round_pence.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel {
namespace {

TEST(round_pence, halves_go_up_large_amounts_pass_and_negatives_give_nothing) {
    const struct {
        const char* name;
        double amount, expected;
    } cases[] = {{"just under a half goes down", 0.49, 0.0},
                 {"a half goes up", 0.5, 1.0},
                 {"two and a half goes up, not to even", 2.5, 3.0},
                 {"a 2/7 winner on 10p", 1285.7142857142858, 1286.0},
                 {"the last half below the bound", 4294967294.5, 4294967295.0},
                 {"just above the bound stays as it is", 4294967295.4, 4294967295.4},
                 {"six winners at 1250/1 stay as they are", 1e28, 1e28},
                 {"a negative amount is nothing", -0.4, 0.0},
                 {"not a number is nothing", NAN, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(roundPence(c.amount), c.expected);
    }
}

}  // namespace
}  // namespace quorvel
