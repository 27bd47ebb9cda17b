// After Settle the amounts stay on screen; from the moment the slip differs
// from the one settled they are drawn like a disabled box's text and described
// as out of date, until the next Settle, and the working says so.

#include <functional>

#include "tests/ui/main_window.h"
#include "ui/selection_rows.h"
#include "ui/working_dialog.h"

namespace quorvel::testing {
namespace {

class OutOfDate : public MainWindow {
  public:  // to the table of changes too
    // The text colour the main window gives an amount box when it is drawn.
    COLORREF colourOf(int id) const {
        const HWND box = GetDlgItem(window, id);
        const HDC dc = GetDC(box);
        SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(box));
        const COLORREF colour = GetTextColor(dc);
        ReleaseDC(box, dc);
        return colour;
    }

    // Both boxes grey, or both not, as the window's own record says.
    bool outOfDate() const {
        const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
        const bool stake = colourOf(IDC_TOTAL_STAKE) == grey;
        EXPECT_EQ(colourOf(IDC_RETURNS) == grey, stake);
        EXPECT_EQ(amountsOutOfDate(), stake);
        return stake;
    }

    // An each-way double, 1 at 2/1 and 2 at evens, settled.
    void settleDouble() const {
        click(IDC_CLEAR);
        click(IDC_SELECTIONS_2);
        choose(IDC_BET, "Double");
        choose(IDC_EACH_WAY, "E/D");
        choose(kSelectionRows[0].result, "Won");
        choose(kSelectionRows[0].price, "2/1");
        choose(kSelectionRows[1].result, "Won");
        settle();
    }

    // Opens Preferences from the menu, types the tax rate and presses `button`.
    void preferences(const char* taxRate, int button) const {
        whenIdle([&] {
            const HWND dialog = GetParent(GetFocus());
            DialogDriver{dialog}.type(IDC_TAX_RATE, taxRate);
            DialogDriver{dialog}.click(button);
        });
        EXPECT_TRUE(chooseMenuItem(window, ID_OPTIONS_PREFERENCES));
        pumpMessages(window);
    }
};

TEST_F(OutOfDate, every_kind_of_change_marks_the_amounts_until_settle) {
    const struct {
        const char* name;
        std::function<void(const OutOfDate&)> change;
    } changes[] = {
        {"the count", [](const OutOfDate& t) { t.click(IDC_SELECTIONS_3); }},
        {"the bet", [](const OutOfDate& t) { t.choose(IDC_BET, "Singles"); }},
        {"the stake", [](const OutOfDate& t) { t.type(IDC_STAKE, "25"); }},
        {"each way", [](const OutOfDate& t) { t.choose(IDC_EACH_WAY, "W/W P/P"); }},
        {"Tax Paid", [](const OutOfDate& t) { t.click(IDC_TAX_PAID); }},
        {"a result", [](const OutOfDate& t) { t.choose(kSelectionRows[1].result, "Lost"); }},
        {"a price", [](const OutOfDate& t) { t.choose(kSelectionRows[0].price, "5/1"); }},
        {"odds-on", [](const OutOfDate& t) { t.click(kSelectionRows[0].oddsOn); }},
        {"Rule 4", [](const OutOfDate& t) { t.choose(kSelectionRows[0].rule4, "10p"); }},
        {"place terms", [](const OutOfDate& t) { t.choose(kSelectionRows[1].placeTerms, "1/4"); }},
        {"a preference, OK", [](const OutOfDate& t) { t.preferences("0", IDOK); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        settleDouble();
        ASSERT_FALSE(outOfDate());
        c.change(*this);
        EXPECT_TRUE(outOfDate());
        settle();
        EXPECT_FALSE(outOfDate()) << "Settle makes them current";
        preferences("9", IDOK);
    }
}

TEST_F(OutOfDate, a_change_that_leaves_the_slip_as_settled_marks_nothing) {
    settleDouble();
    preferences("0", IDCANCEL);
    EXPECT_FALSE(outOfDate()) << "Cancel changes nothing";
    preferences("9", IDOK);
    EXPECT_FALSE(outOfDate()) << "OK with the same values";
    type(IDC_STAKE, "25");
    ASSERT_TRUE(outOfDate());
    type(IDC_STAKE, "10");
    EXPECT_FALSE(outOfDate()) << "the slip is the settled one again";
    click(IDC_CLEAR);
    EXPECT_FALSE(outOfDate());
    EXPECT_EQ(text(IDC_RETURNS), "") << "Clear empties the amounts as before";
}

TEST_F(OutOfDate, the_working_says_the_slip_has_changed_since) {
    settleDouble();
    const auto slipLine = [this] {
        std::string line;
        whenIdle([&] {
            line = DialogDriver{GetParent(GetFocus())}.text(IDC_WORKING_SLIP);
            pressKey(VK_ESCAPE);
        });
        EXPECT_TRUE(chooseMenuItem(window, ID_OPTIONS_SHOW_WORKING));
        pumpMessages(window);
        return line;
    };
    EXPECT_EQ(slipLine(), "Double, 10p per bet, E/D, tax paid (tax rate 9%)");
    choose(kSelectionRows[1].result, "Lost");
    EXPECT_EQ(slipLine(), "Slip changed since: Double, 10p per bet, E/D, tax paid (tax rate 9%)");
}

}  // namespace
}  // namespace quorvel::testing
