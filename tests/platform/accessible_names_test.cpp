// The names a screen reader hears for a dialog's controls, worked out from
// the labels beside, above and around them.

#include "platform/core/accessible_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/view.h"
#include "tests/platform/test_resource.h"

namespace quorvel::testing {
using namespace platform;
namespace {

class AccessibleNames : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NAMES), nullptr,
                                    nullptr, 0);
        ASSERT_NE(dialog, nullptr);
        CreateUpDownControl(WS_CHILD | UDS_ALIGNRIGHT, 0, 0, 0, 0, dialog, IDC_NAMES_ARROWS,
                            GetModuleHandleA(nullptr), GetDlgItem(dialog, IDC_NAMES_STAKE), 9, 0,
                            0);
        names = accessibleNames(dialog);
    }
    void TearDown() override { DestroyWindow(dialog); }

    std::string nameOf(int id) { return names[GetDlgItem(dialog, id)].name; }
    // The texts of the labels a control's name comes from.
    std::vector<std::string> labelsOf(int id) {
        std::vector<std::string> texts;
        for (HWND label : names[GetDlgItem(dialog, id)].labels) {
            texts.push_back(withoutMnemonics(findWindow(label)->text));
        }
        return texts;
    }

    HWND dialog = nullptr;
    std::map<HWND, AccessibleName> names;
};

using Texts = std::vector<std::string>;

TEST_F(AccessibleNames, a_grid_cell_joins_its_row_and_column_and_a_lone_box_takes_its_label) {
    // The label right beside a list whose column heading is no wider than it.
    EXPECT_EQ(nameOf(IDC_NAMES_RESULT), "Row 1 Result");
    EXPECT_EQ(labelsOf(IDC_NAMES_RESULT), (Texts{"Row 1", "Result"}));
    // Another list stands between the row's label and this one.
    EXPECT_EQ(nameOf(IDC_NAMES_PRICE), "Row 1 Price");
    EXPECT_EQ(nameOf(IDC_NAMES_STAKE), "Stake");
    EXPECT_EQ(nameOf(IDC_NAMES_ARROWS), "Stake");
}

TEST_F(AccessibleNames, a_group_box_names_what_it_holds_before_a_heading_outside_it) {
    EXPECT_EQ(nameOf(IDC_NAMES_RETURNS), "Returns");
    // Nothing labels this read-only box: it shows the dialog's answer, and
    // the dialog without a caption is named by its first group box.
    EXPECT_EQ(nameOf(IDC_NAMES_ANSWER), "Returns");
    EXPECT_EQ(windowName(dialog), "Returns");
}

TEST_F(AccessibleNames, a_radio_group_runs_to_the_next_other_control_and_takes_the_text_before_it) {
    EXPECT_EQ(nameOf(IDC_NAMES_ONE), "1");
    const std::vector<RadioGroup> groups = radioGroups(dialog);
    ASSERT_EQ(groups.size(), 1U);
    EXPECT_EQ(groups[0].buttons, (std::vector<HWND>{GetDlgItem(dialog, IDC_NAMES_ONE),
                                                    GetDlgItem(dialog, IDC_NAMES_TWO)}));
    EXPECT_EQ(withoutMnemonics(findWindow(groups[0].label)->text), "No of Selections");
    EXPECT_EQ(labelsOf(IDC_NAMES_TWO), Texts{"No of Selections"});

    // No text before the first button: the group box around the group labels it.
    const HWND controls = CreateDialogParamA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, nullptr, 0);
    const std::vector<RadioGroup> colours = radioGroups(controls);
    ASSERT_EQ(colours.size(), 1U);
    EXPECT_EQ(colours[0].buttons.size(), 3U);
    EXPECT_EQ(colours[0].label, GetDlgItem(controls, IDC_CHOICE));
    DestroyWindow(controls);
}

TEST(without_mnemonics, drops_the_mark_and_keeps_a_doubled_ampersand) {
    EXPECT_EQ(withoutMnemonics("&Settle"), "Settle");
    EXPECT_EQ(withoutMnemonics("Win && Place"), "Win & Place");
    EXPECT_EQ(withoutMnemonics("&&&A"), "&A");
    EXPECT_EQ(withoutMnemonics("trailing&"), "trailing");
}

}  // namespace
}  // namespace quorvel::testing
