// "Show Working...": the last settled slip line by line, as quorvel-settle
// --explain gives it, from the same settlement that filled the main window.

#include <functional>

#include "tests/ui/main_window.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

using Texts = std::vector<std::string>;

const SelectionRow& row(int n) {
    return kSelectionRows[static_cast<std::size_t>(n - 1)];
}

std::string cell(HWND list, int item, int column) {
    char buffer[96] = {};
    LVITEMA text{};
    text.iSubItem = column;
    text.pszText = buffer;
    text.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&text));
    return buffer;
}

// What the dialog showed.
struct Shown {
    Texts lines;  // "number kind rows return-to-1/100p", as --explain has them
    Texts toPenny;
    std::string note;
    std::string totals;
};

class Working : public MainWindow {
  protected:
    void SetUp() override {
        InitCommonControls();
        MainWindow::SetUp();
    }

    bool offered() const {
        return GetMenuState(GetMenu(window), ID_OPTIONS_SHOW_WORKING, MF_BYCOMMAND) == MF_ENABLED;
    }

    // Opens "Show Working...", reads the dialog, runs `inside` on it (the
    // table has the focus), and closes it with Esc.
    Shown open(const std::function<void(HWND dialog, HWND table)>& inside = {}) {
        Shown shown;
        whenIdle([&] {
            const HWND table = GetFocus();
            const HWND dialog = GetParent(table);
            EXPECT_EQ(GetDlgCtrlID(table), IDC_WORKING_LINES) << "the table takes the focus";
            const auto count = SendMessageA(table, LVM_GETITEMCOUNT, 0, 0);
            for (int i = 0; i < count; ++i) {
                shown.lines.push_back(cell(table, i, 0) + " " + cell(table, i, 1) + " " +
                                      cell(table, i, 2) + " " + cell(table, i, 4));
                shown.toPenny.push_back(cell(table, i, 3));
            }
            DialogDriver working{dialog};
            shown.note = working.text(IDC_WORKING_NOTE);
            shown.totals = working.text(IDC_WORKING_TOTALS);
            if (inside) {
                inside(dialog, table);
            }
            pressKey(VK_ESCAPE);
        });
        EXPECT_TRUE(chooseMenuItem(window, ID_OPTIONS_SHOW_WORKING));
        pumpMessages(window);
        EXPECT_EQ(openWindows(), std::vector<HWND>{window}) << "Esc closed it";
        return shown;
    }
};

TEST_F(Working, is_offered_from_the_first_settlement_until_clear) {
    EXPECT_FALSE(offered());
    EXPECT_FALSE(chooseMenuItem(window, ID_OPTIONS_SHOW_WORKING));
    settle();
    EXPECT_TRUE(offered());
    click(IDC_CLEAR);
    EXPECT_FALSE(offered());
    EXPECT_EQ(text(IDC_RETURNS), "") << "Clear still clears the slip";
}

struct WorkedSlip {
    const char* name;
    std::function<void(const DialogDriver&)> enter;
    Texts lines;
    const char* note;
};

TEST_F(Working, worked_slips_show_each_line_as_the_command_line_explains_it) {
    const WorkedSlip slips[] = {
        {"Lucky 15 with a lone winner pays its consolation single only",
         [](const DialogDriver& d) {
             d.click(IDC_SELECTIONS_4);
             d.choose(IDC_BET, "Lucky 15");
             d.choose(row(3).result, "Won");
             d.choose(row(3).price, "5/1");
             d.choose(row(3).rule4, "10p");
         },
         {"1 single 3 \xA3"
          "1.0000"},
         "Consolation single: the lone winner on row 3 at 5/1 times 2 = 10/1"},
        {"E/D Yankee with a non-runner",
         [](const DialogDriver& d) {
             d.click(IDC_SELECTIONS_4);
             d.choose(IDC_BET, "Yankee");
             d.choose(IDC_EACH_WAY, "E/D");
             d.choose(row(1).result, "Won");
             d.choose(row(1).price, "2/1");
             d.choose(row(2).result, "Place");
             d.choose(row(2).price, "3/1");
             d.choose(row(4).result, "Non-Runner");
         },
         {"1 double 1-2 \xA3"
          "0.3520",
          "2 double 1-3 \xA3"
          "0.0000",
          "3 double 1-4 \xA3"
          "0.4400",
          "4 double 2-3 \xA3"
          "0.0000",
          "5 double 2-4 \xA3"
          "0.1600",
          "6 double 3-4 \xA3"
          "0.0000",
          "7 treble 1-2-3 \xA3"
          "0.0000",
          "8 treble 1-2-4 \xA3"
          "0.3520",
          "9 treble 1-3-4 \xA3"
          "0.0000",
          "10 treble 2-3-4 \xA3"
          "0.0000",
          "11 4-fold 1-2-3-4 \xA3"
          "0.0000"},
         ""},
        {"Flag with stakes-about lines both ways",
         [](const DialogDriver& d) {
             d.click(IDC_SELECTIONS_4);
             d.choose(IDC_BET, "Flag");
             d.choose(row(1).result, "Won");
             d.choose(row(1).price, "6/4");
             d.choose(row(2).result, "Won");
             d.choose(row(4).result, "Won");
             d.choose(row(4).price, "2/1");
         },
         {"1 double 1-2 \xA3"
          "0.5000",
          "2 double 1-3 \xA3"
          "0.0000",
          "3 double 1-4 \xA3"
          "0.7500",
          "4 double 2-3 \xA3"
          "0.0000",
          "5 double 2-4 \xA3"
          "0.6000",
          "6 double 3-4 \xA3"
          "0.0000",
          "7 treble 1-2-3 \xA3"
          "0.0000",
          "8 treble 1-2-4 \xA3"
          "1.5000",
          "9 treble 1-3-4 \xA3"
          "0.0000",
          "10 treble 2-3-4 \xA3"
          "0.0000",
          "11 4-fold 1-2-3-4 \xA3"
          "0.0000",
          "12 stakes-about 1>2 \xA3"
          "0.3500",
          "13 stakes-about 1>3 \xA3"
          "0.1500",
          "14 stakes-about 1>4 \xA3"
          "0.4500",
          "15 stakes-about 2>3 \xA3"
          "0.1000",
          "16 stakes-about 2>4 \xA3"
          "0.4000",
          "17 stakes-about 3>4 \xA3"
          "0.0000",
          "18 stakes-about 2>1 \xA3"
          "0.3500",
          "19 stakes-about 3>1 \xA3"
          "0.0000",
          "20 stakes-about 4>1 \xA3"
          "0.4500",
          "21 stakes-about 3>2 \xA3"
          "0.0000",
          "22 stakes-about 4>2 \xA3"
          "0.4000",
          "23 stakes-about 4>3 \xA3"
          "0.2000"},
         ""},
    };
    for (const WorkedSlip& slip : slips) {
        SCOPED_TRACE(slip.name);
        click(IDC_CLEAR);
        slip.enter(*this);
        settle();
        const Shown shown = open();
        EXPECT_EQ(shown.lines, slip.lines);
        EXPECT_EQ(shown.note, slip.note);
        // The totals are the main window's own boxes.
        EXPECT_NE(shown.totals.find("Total stake: " + text(IDC_TOTAL_STAKE)), std::string::npos);
        EXPECT_NE(shown.totals.find("Returns: " + text(IDC_RETURNS)), std::string::npos);
    }
}

TEST_F(Working, the_all_winner_bonus_and_amounts_to_the_penny_are_shown) {
    click(IDC_SELECTIONS_4);
    choose(IDC_BET, "Lucky 15");
    choose(IDC_EACH_WAY, "E/D");
    for (int n = 1; n <= 4; ++n) {
        choose(row(n).result, "Won");
    }
    settle();
    const Shown shown = open();
    ASSERT_EQ(shown.lines.size(), 15u);
    EXPECT_EQ(shown.lines[14],
              "15 4-fold 1-2-3-4 \xA3"
              "1.3107");
    EXPECT_EQ(shown.toPenny[14],
              "\xA3"
              "1.31");
    EXPECT_EQ(shown.note, "All-winner bonus: the lines' total times 1.1");
    EXPECT_EQ(shown.totals,
              "Bets: 30        Total stake: \xA3"
              "3.27        Returns: \xA3"
              "9.83");
}

TEST_F(Working, copy_and_ctrl_c_put_the_whole_working_on_the_clipboard_for_a_spreadsheet) {
    click(IDC_SELECTIONS_2);
    choose(IDC_BET, "Double");
    choose(IDC_EACH_WAY, "E/D");
    click(IDC_TAX_PAID);
    choose(row(1).result, "Won");
    choose(row(1).price, "2/1");
    choose(row(2).result, "Place");
    choose(row(2).price, "3/1");
    choose(row(2).placeTerms, "1/4");
    settle();
    const std::string expected =
        "Double, 10p per bet, E/D, tax not paid (tax rate 9%)\r\n\r\n"
        "Row\tResult\tPrice\tRule 4\tPlace terms\r\n"
        "1\tWon\t2/1\t\t1/5\r\n"
        "2\tPlace\t3/1\t\t1/4\r\n\r\n"
        "Line\tKind\tRows\tReturn\tTo 1/100p\r\n"
        "1\tdouble\t1-2\t\xA3"
        "0.39\t\xA3"
        "0.3850\r\n\r\n"
        "Bets\t2\r\nTotal stake\t\xA3"
        "0.20\r\nReturns\t\xA3"
        "0.35\r\n";
    std::string copied;
    std::string pressed;
    open([&](HWND dialog, HWND table) {
        DialogDriver{dialog}.click(IDC_WORKING_COPY);
        copied = clipboardText();
        setClipboardText("");
        SetFocus(table);
        pressKey('C', false, true);
        pumpMessages(dialog);
        pressed = clipboardText();
    });
    EXPECT_EQ(copied, expected);
    EXPECT_EQ(pressed, expected);
}

}  // namespace
}  // namespace quorvel::testing
