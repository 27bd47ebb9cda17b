#include "engine/app_state.h"

namespace quorvel {

void setStartPreferences(AppState& app) {
    app.taxRatePercent = kStartTaxRatePercent;
    app.lucky15Consolation = kStartConsolation;
    app.lucky31Consolation = kStartConsolation;
    app.lucky63Consolation = kStartConsolation;
    app.lucky15Bonus = kStartBonus;
    app.lucky31Bonus = kStartBonus;
    app.lucky63Bonus = kStartBonus;
}

}  // namespace quorvel
