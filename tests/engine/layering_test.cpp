// The engine stands on the standard library alone: this file does not compile
// when an engine header pulls in Qt or the window API.

#include <gtest/gtest.h>

#include <type_traits>

#include "engine/app_state.h"
#include "engine/bet_slip.h"
#include "engine/catalogue.h"
#include "engine/leg_operations.h"
#include "engine/round_pence.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "engine/settlement.h"

#if defined(QT_VERSION)
#error "an engine header reaches Qt"
#endif
#if defined(_WINDOWS_) || defined(_WINUSER_) || defined(WM_COMMAND)
#error "an engine header reaches the window API"
#endif

namespace quorvel {
namespace {

TEST(engine_records, are_plain_records_that_copy_as_bytes) {
    // The application object lives zero-filled in static storage and the
    // settlement copies slips and legs freely.
    EXPECT_TRUE(std::is_trivially_copyable_v<AppState>);
    EXPECT_TRUE(std::is_standard_layout_v<AppState>);
    EXPECT_TRUE(std::is_trivially_copyable_v<BetSlip>);
    EXPECT_TRUE(std::is_trivially_copyable_v<SettlementDisplay>);
}

}  // namespace
}  // namespace quorvel
