// The engine stands on the standard library alone: this file does not compile
// when an engine header pulls in Qt or the window API.

#include <gtest/gtest.h>

#include "engine/bet_slip.h"
#include "engine/catalogue.h"
#include "engine/leg_operations.h"
#include "engine/leg_sets.h"
#include "engine/preferences.h"
#include "engine/round_pence.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "engine/settlement.h"
#include "engine/settlement_terms.h"

#if defined(QT_VERSION)
#error "an engine header reaches Qt"
#endif
#if defined(_WINDOWS_) || defined(_WINUSER_) || defined(WM_COMMAND)
#error "an engine header reaches the window API"
#endif
