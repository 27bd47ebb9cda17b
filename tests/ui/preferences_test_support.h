#pragma once

// What the Preferences tests share: the seven value boxes in tab order, their
// start values, and a fixture that opens the dialog as the menu command does.

#include <string>
#include <vector>

#include "tests/ui/main_window.h"
#include "ui/app_shell.h"
#include "ui/preferences_dialog.h"

namespace quorvel::testing {

using Values = std::vector<std::string>;
inline const int kBoxes[] = {IDC_TAX_RATE,  IDC_L15_CONSOLATION, IDC_L15_BONUS, IDC_L31_CONSOLATION,
                             IDC_L31_BONUS, IDC_L63_CONSOLATION, IDC_L63_BONUS};
inline const Values kStartValues{"9", "2", "10", "2", "10", "2", "10"};

// A main window with the Preferences dialog opened as its menu command opens it.
class PreferencesWindow : public MainWindow {
  protected:
    DialogDriver open() const {
        return openModeless(IDD_PREFERENCES, preferencesDialogProc,
                            reinterpret_cast<LPARAM>(&appState));
    }
    static Values shown(const DialogDriver& dialog) {
        Values values;
        for (int box : kBoxes) {
            values.push_back(dialog.text(box));
        }
        return values;
    }
};

}  // namespace quorvel::testing
