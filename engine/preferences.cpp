#include "engine/preferences.h"

namespace quorvel {

Preferences startPreferences() {
    Preferences preferences{};
    for (const PreferenceField& field : kPreferenceFields) {
        preferences.*field.value = field.start;
    }
    return preferences;
}

LuckyTerms luckyTerms(const Preferences& preferences, int luckySelections) {
    switch (luckySelections) {
        case 4:
            return {preferences.lucky15Consolation, preferences.lucky15Bonus};
        case 5:
            return {preferences.lucky31Consolation, preferences.lucky31Bonus};
        default:
            return {preferences.lucky63Consolation, preferences.lucky63Bonus};
    }
}

}  // namespace quorvel
