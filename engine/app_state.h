#pragma once

// Window handles as the platform declares them: opaque pointers, so that the
// engine needs no platform header.
struct HWND__;
struct HINSTANCE__;

namespace quorvel {

// The one application object. Static, zero-filled at process start; the main
// window sets the preferences to their start values when it is created.
struct AppState {
    double taxFactor;  // 1 + taxRatePercent / 100, recomputed at every settlement
    int taxPaid;       // "Tax Paid" as it was when the slip was settled
    int placeListed;   // the result lists carry "Place"
    int lucky15Consolation;
    int lucky15Bonus;
    int lucky31Consolation;
    int lucky31Bonus;
    int lucky63Consolation;
    int lucky63Bonus;
    int taxRatePercent;
    int selectionCount;
    HINSTANCE__* instance;
    HWND__* mainDialog;
};

inline constexpr int kStartTaxRatePercent = 9;
inline constexpr int kStartConsolation = 2;
inline constexpr int kStartBonus = 10;

// The preferences' accepted ranges, as the Preferences dialog enforces them.
inline constexpr int kTaxRateMin = 0, kTaxRateMax = 20;
inline constexpr int kConsolationMin = 1, kConsolationMax = 3;
inline constexpr int kBonusMin = 0, kBonusMax = 30;

// Sets the seven preferences to the values every run starts with.
void setStartPreferences(AppState& app);

}  // namespace quorvel
