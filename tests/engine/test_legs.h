#pragma once

// Shorthands for building legs and an application object in tests.

#include "engine/app_state.h"
#include "engine/bet_slip.h"

namespace quorvel::test {

inline Leg leg(int result, double price, int rule4 = 0) {
    return Leg{result, price, price, rule4};
}
inline Leg lost(double price = 1.0) {
    return leg(Lost, price);
}
inline Leg nonRunner() {
    return leg(NonRunner, 1.0);
}

// Start preferences, tax rate 9 % not paid, as after a settlement.
inline AppState startApp(int taxPaid = 0) {
    AppState app{};
    setStartPreferences(app);
    app.taxPaid = taxPaid;
    app.taxFactor = 1.09;
    return app;
}

}  // namespace quorvel::test
