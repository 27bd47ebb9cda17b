#pragma once

// The seven preferences a settlement takes: the tax rate and the Lucky 15, 31
// and 63 consolation odds and all-winner bonuses, with the range each accepts.

#include <array>

namespace quorvel {

struct Preferences {
    int taxRatePercent;
    int lucky15Consolation;
    int lucky15Bonus;
    int lucky31Consolation;
    int lucky31Bonus;
    int lucky63Consolation;
    int lucky63Bonus;
};

inline constexpr int kTaxRateMin = 0, kTaxRateMax = 20;
inline constexpr int kConsolationMin = 1, kConsolationMax = 3;
inline constexpr int kBonusMin = 0, kBonusMax = 30;

// One preference: its name in a slip ("taxRate"), its range, the warning shown
// for a value outside it, and the value every run starts with.
struct PreferenceField {
    const char* name;
    int Preferences::*value;
    int min;
    int max;
    const char* warning;
    int start;
};

// In the order the Preferences dialog lays them out and checks them.
inline constexpr std::array<PreferenceField, 7> kPreferenceFields{{
    {"taxRate", &Preferences::taxRatePercent, kTaxRateMin, kTaxRateMax, "Invalid tax value", 9},
    {"lucky15Consolation", &Preferences::lucky15Consolation, kConsolationMin, kConsolationMax,
     "Invalid L15 Consolation odds", 2},
    {"lucky15Bonus", &Preferences::lucky15Bonus, kBonusMin, kBonusMax, "Invalid L15 Bonus odds",
     10},
    {"lucky31Consolation", &Preferences::lucky31Consolation, kConsolationMin, kConsolationMax,
     "Invalid L31 Consolation odds", 2},
    {"lucky31Bonus", &Preferences::lucky31Bonus, kBonusMin, kBonusMax, "Invalid L31 Bonus odds",
     10},
    {"lucky63Consolation", &Preferences::lucky63Consolation, kConsolationMin, kConsolationMax,
     "Invalid L63 Consolation odds", 2},
    {"lucky63Bonus", &Preferences::lucky63Bonus, kBonusMin, kBonusMax, "Invalid L63 Bonus odds",
     10},
}};

// Every preference at its start value.
Preferences startPreferences();

// The Lucky rules of a bet: the lone winner's price is multiplied by
// `consolation`, and when every leg wins the total gains `bonus` percent.
struct LuckyTerms {
    int consolation;
    int bonus;
};

// The terms for "Lucky 15", "Lucky 31" or "Lucky 63" by their number of
// selections (4, 5 or 6; see luckySelections).
LuckyTerms luckyTerms(const Preferences& preferences, int luckySelections);

}  // namespace quorvel
