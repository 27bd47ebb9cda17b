#pragma once

// Legs and an application object in few words.

#include "engine/app_state.h"
#include "engine/bet_slip.h"
#include "engine/settlement.h"

namespace quorvel::test {

inline Leg leg(int result, double price = 1.0, int rule4 = 0) {
    return Leg{result, price, price, rule4};
}

// Start preferences and a 9 % tax, as the driver leaves them.
inline AppState startApp(int taxPaid = 0) {
    AppState app{};
    setStartPreferences(app);
    app.taxPaid = taxPaid;
    app.taxFactor = 1.09;
    return app;
}

using Mode = double (*)(const AppState&, int, int&, int, Legs&, double, const SettlementObserver*);

}  // namespace quorvel::test
