#pragma once

// Legs, an application object and a settlement call in few words.

#include <algorithm>
#include <vector>

#include "engine/app_state.h"
#include "engine/bet_slip.h"
#include "engine/settlement.h"

namespace quorvel::test {

inline Leg leg(int result, double price, int rule4 = 0) {
    return Leg{result, price, price, rule4};
}
inline Leg lost() {
    return leg(Lost, 1.0);
}
inline Leg nonRunner() {
    return leg(NonRunner, 1.0);
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

struct Settled {
    int bets;
    double returns;
    Legs legs;  // as the mode left them
};

// The stake is in hundredths of a penny: 1000 is 10p a line.
inline Settled settle(Mode mode, int selections, int betIndex, const std::vector<Leg>& slip,
                      const AppState& app = startApp(), double stake = 1000.0) {
    Settled s{-1, 0.0, {}};
    std::copy(slip.begin(), slip.end(), s.legs.begin());
    s.returns = mode(app, betIndex, s.bets, selections, s.legs, stake, nullptr);
    return s;
}

}  // namespace quorvel::test
