// "Show Working...": the last settled slip line by line, as quorvel-settle
// --explain gives it, from the same settlement that filled the main window.

#include <algorithm>
#include <functional>

#include "tests/ui/main_window.h"
#include "ui/selection_rows.h"

#ifndef _WIN32
#include "platform/core/accessible_names.h"
#endif

namespace quorvel::testing {
namespace {

using Texts = std::vector<std::string>;

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

struct Shown {
    std::string lines;  // "number kind rows return-to-1/100p" without "£", "|" between
    std::string steps;  // "text change amount|" for each step after the lines
    std::string note, totals;
};

class Working : public MainWindow {
  protected:
    bool offered() const {
        return GetMenuState(GetMenu(window), ID_OPTIONS_SHOW_WORKING, MF_BYCOMMAND) == MF_ENABLED;
    }

    // Opens "Show Working...", reads the dialog, runs `inside` on it (the
    // table has the focus), and closes it with Esc.
    Shown open(const std::function<void(HWND dialog, HWND table)>& inside = {}) {
        InitCommonControls();  // the list view's class
        Shown shown;
        whenIdle([&] {
            const HWND table = GetFocus();
            const HWND dialog = GetParent(table);
            EXPECT_EQ(GetDlgCtrlID(table), IDC_WORKING_LINES) << "the table takes the focus";
            for (int i = 0; i < SendMessageA(table, LVM_GETITEMCOUNT, 0, 0); ++i) {
                if (cell(table, i, 0).empty()) {  // a step after the lines
                    shown.steps +=
                        cell(table, i, 1) + " " + cell(table, i, 3) + " " + cell(table, i, 4) + "|";
                    continue;
                }
                shown.lines += std::string(i > 0 ? "|" : "") + cell(table, i, 0) + " " +
                               cell(table, i, 1) + " " + cell(table, i, 2) + " " +
                               cell(table, i, 3).substr(1);
            }
            shown.note = DialogDriver{dialog}.text(IDC_WORKING_NOTE);
            shown.totals = DialogDriver{dialog}.text(IDC_WORKING_TOTALS);
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

    // A slip of up to 4 selections, each leg "Result" or "Result price".
    void enter(const char* bet, const char* eachWay, const Texts& legs) const {
        click(IDC_CLEAR);
        click(IDC_SELECTIONS_1 + static_cast<int>(legs.size()) - 1);
        choose(IDC_BET, bet);
        choose(IDC_EACH_WAY, eachWay);
        for (std::size_t i = 0; i < legs.size(); ++i) {
            const std::size_t space = legs[i].find(' ');
            choose(kSelectionRows[i].result, legs[i].substr(0, space).c_str());
            if (space != std::string::npos) {
                choose(kSelectionRows[i].price, legs[i].substr(space + 1).c_str());
            }
        }
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

TEST_F(Working, worked_slips_show_each_line_as_the_command_line_explains_it) {
    struct WorkedSlip {
        const char* bet;
        const char* eachWay;
        Texts legs;
        const char* lines;  // nullptr: not compared
        const char* note;
        const char* steps;  // a part of them, "#" for "£"
    };
    const WorkedSlip slips[] = {
        {"Lucky 15",
         "Win",
         {"Lost", "Lost", "Won 5/1", "Lost"},
         "1 single 3 1.1000",
         "Consolation: the lone winner on row 3 paid at 10/1, its odds times 2",
         "The lines' returns added up  #1.1000|Made whole to the penny: Returns #0.0000 #1.10|"},
        {"Yankee",
         "E/D",
         {"Won 2/1", "Place 3/1", "Lost", "Non-Runner"},
         "1 double 1-2 0.3520|2 double 1-3 0.0000|3 double 1-4 0.4400|4 double 2-3 0.0000|"
         "5 double 2-4 0.1600|6 double 3-4 0.0000|7 treble 1-2-3 0.0000|8 treble 1-2-4 0.3520|"
         "9 treble 1-3-4 0.0000|10 treble 2-3-4 0.0000|11 4-fold 1-2-3-4 0.0000",
         "",
         "|22 bets times 10p  #2.2000|Tax 9% added (paid with the stake) +#0.1980 #2.3980|"
         "Made whole to the penny: Total stake +#0.0020 #2.40|"},
        {"Flag",
         "Win",
         {"Won 6/4", "Won", "Lost", "Won 2/1"},
         "1 double 1-2 0.5000|2 double 1-3 0.0000|3 double 1-4 0.7500|4 double 2-3 0.0000|"
         "5 double 2-4 0.6000|6 double 3-4 0.0000|7 treble 1-2-3 0.0000|8 treble 1-2-4 1.5000|"
         "9 treble 1-3-4 0.0000|10 treble 2-3-4 0.0000|11 4-fold 1-2-3-4 0.0000|"
         "12 stakes-about 1>2 0.3500|13 stakes-about 1>3 0.1500|14 stakes-about 1>4 0.4500|"
         "15 stakes-about 2>3 0.1000|16 stakes-about 2>4 0.4000|17 stakes-about 3>4 0.0000|"
         "18 stakes-about 2>1 0.3500|19 stakes-about 3>1 0.0000|20 stakes-about 4>1 0.4500|"
         "21 stakes-about 3>2 0.0000|22 stakes-about 4>2 0.4000|23 stakes-about 4>3 0.2000",
         "",
         "|The lines' returns added up  #6.2000|"},
        {"Lucky 15",
         "E/D",
         {"Won", "Won", "Won", "Won"},
         nullptr,
         "",
         "|All-winner bonus 10%: times 1.1 +#"},
        // A non-runner among a Lucky bet's selections cancels the consolation.
        {"Lucky 15", "Win", {"Lost", "Lost", "Won", "Non-Runner"}, nullptr, "", ""},
    };
    for (const WorkedSlip& slip : slips) {
        SCOPED_TRACE(std::string(slip.eachWay) + " " + slip.bet + " " + slip.legs[3]);
        enter(slip.bet, slip.eachWay, slip.legs);
        settle();
        const Shown shown = open();
        if (slip.lines != nullptr) {
            EXPECT_EQ(shown.lines, slip.lines);
        }
        EXPECT_EQ(shown.note, slip.note);
        std::string steps = slip.steps;
        std::replace(steps.begin(), steps.end(), '#', '\xA3');
        EXPECT_NE(("|" + shown.steps).find(steps), std::string::npos) << shown.steps;
        // The totals are the main window's own boxes.
        EXPECT_NE(shown.totals.find(std::string("Total stake: ") + text(IDC_TOTAL_STAKE) +
                                    "        Returns: " + text(IDC_RETURNS)),
                  std::string::npos);
    }
}

// The names the views give screen readers; Windows names the tables itself.
#ifndef _WIN32
TEST_F(Working, each_table_is_named_for_what_it_holds_not_for_the_slip_above_them) {
    enter("Single", "Win", {"Won 2/1"});
    settle();
    std::string legs, lines;
    open([&](HWND dialog, HWND) {
        const auto names = platform::accessibleNames(dialog);
        legs = names.at(GetDlgItem(dialog, IDC_WORKING_LEGS)).name;
        lines = names.at(GetDlgItem(dialog, IDC_WORKING_LINES)).name;
    });
    EXPECT_EQ(legs, "Selections");
    EXPECT_EQ(lines, "Lines");
}
#endif

// Where a control sits in its dialog's client area.
RECT placeOf(HWND dialog, HWND control) {
    RECT at{};
    GetWindowRect(control, &at);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&at), 2);
    return at;
}

// The dialog's layout, top to bottom, in its client area.
struct Layout {
    RECT client{}, window{};
    RECT slip{}, legs{}, linesLabel{}, lines{}, note{}, totals{}, copy{}, close{};
};

Layout layoutOf(HWND dialog) {
    Layout l;
    GetClientRect(dialog, &l.client);
    GetWindowRect(dialog, &l.window);
    const auto at = [dialog](int id) { return placeOf(dialog, GetDlgItem(dialog, id)); };
    l.slip = at(IDC_WORKING_SLIP);
    l.legs = at(IDC_WORKING_LEGS);
    l.linesLabel = placeOf(dialog, GetWindow(GetDlgItem(dialog, IDC_WORKING_LINES), GW_HWNDPREV));
    l.lines = at(IDC_WORKING_LINES);
    l.note = at(IDC_WORKING_NOTE);
    l.totals = at(IDC_WORKING_TOTALS);
    l.copy = at(IDC_WORKING_COPY);
    l.close = at(IDCANCEL);
    return l;
}

LONG widthOf(const RECT& r) {
    return r.right - r.left;
}
LONG heightOf(const RECT& r) {
    return r.bottom - r.top;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Working, sized_by_its_frame_the_tables_take_the_room_and_the_buttons_keep_to_the_corner) {
    enter("Yankee", "Win", {"Won 2/1", "Won", "Lost", "Won 5/4"});
    settle();
    open([&](HWND dialog, HWND) {
        const Layout first = layoutOf(dialog);
        RECT more{0, 0, 120, 90};  // dialog units, in the dialog's own measure
        MapDialogRect(dialog, &more);
        ASSERT_GT(more.right, 0);
        const LONG dx = more.right;
        const LONG dy = more.bottom;
        SetWindowPos(dialog, nullptr, 0, 0, widthOf(first.window) + dx, heightOf(first.window) + dy,
                     SWP_NOMOVE | SWP_NOZORDER);
        const Layout grown = layoutOf(dialog);
        ASSERT_EQ(widthOf(grown.client), widthOf(first.client) + dx);
        ASSERT_EQ(heightOf(grown.client), heightOf(first.client) + dy);

        // The texts and tables are as much wider; the two tables share the height.
        for (const auto& [was, is] : {std::pair{first.slip, grown.slip},
                                      {first.legs, grown.legs},
                                      {first.lines, grown.lines},
                                      {first.note, grown.note},
                                      {first.totals, grown.totals}}) {
            EXPECT_EQ(is.left, was.left);
            EXPECT_EQ(widthOf(is), widthOf(was) + dx);
        }
        const LONG legsGrew = heightOf(grown.legs) - heightOf(first.legs);
        const LONG linesGrew = heightOf(grown.lines) - heightOf(first.lines);
        EXPECT_EQ(legsGrew + linesGrew, dy);
        EXPECT_GT(legsGrew, 0) << "more selections show too";
        EXPECT_GT(linesGrew, legsGrew) << "the lines, the longer list, take most of it";

        // Everything keeps its distance from its neighbour above, and from the
        // bottom edge at the bottom.
        EXPECT_EQ(grown.legs.top, first.legs.top);
        EXPECT_EQ(grown.linesLabel.top - grown.legs.bottom,
                  first.linesLabel.top - first.legs.bottom);
        EXPECT_EQ(grown.lines.top - grown.linesLabel.top, first.lines.top - first.linesLabel.top);
        EXPECT_EQ(grown.note.top - grown.lines.bottom, first.note.top - first.lines.bottom);
        EXPECT_EQ(grown.totals.top - grown.note.top, first.totals.top - first.note.top);
        for (const auto& [was, is] :
             {std::pair{first.copy, grown.copy}, {first.close, grown.close}}) {
            EXPECT_EQ(first.client.right - was.right, grown.client.right - is.right);
            EXPECT_EQ(first.client.bottom - was.bottom, grown.client.bottom - is.bottom);
            EXPECT_EQ(widthOf(is), widthOf(was));
            EXPECT_EQ(heightOf(is), heightOf(was));
        }

        // It cannot be made smaller than it opened, and everything is back in place.
        SetWindowPos(dialog, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
        const Layout small = layoutOf(dialog);
        EXPECT_EQ(widthOf(small.window), widthOf(first.window));
        EXPECT_EQ(heightOf(small.window), heightOf(first.window));
        for (const auto& [was, is] : {std::pair{first.slip, small.slip},
                                      {first.legs, small.legs},
                                      {first.linesLabel, small.linesLabel},
                                      {first.lines, small.lines},
                                      {first.note, small.note},
                                      {first.totals, small.totals},
                                      {first.copy, small.copy},
                                      {first.close, small.close}}) {
            EXPECT_TRUE(sameRect(is, was));
        }
    });
}

// Opened again, it has the template's size (nothing of the last one's is
// kept), and sizing it moves its own controls.
TEST_F(Working, opens_at_its_first_size_again_and_sizes_anew) {
    settle();
    RECT first{}, again{};
    const auto enlarge = [](HWND dialog, RECT& frame) {
        GetWindowRect(dialog, &frame);
        const RECT close = placeOf(dialog, GetDlgItem(dialog, IDCANCEL));
        SetWindowPos(dialog, nullptr, 0, 0, widthOf(frame) + 60, heightOf(frame) + 40,
                     SWP_NOMOVE | SWP_NOZORDER);
        const RECT moved = placeOf(dialog, GetDlgItem(dialog, IDCANCEL));
        EXPECT_EQ(moved.left - close.left, 60);
        EXPECT_EQ(moved.top - close.top, 40);
    };
    open([&](HWND dialog, HWND) { enlarge(dialog, first); });
    open([&](HWND dialog, HWND) { enlarge(dialog, again); });
    EXPECT_TRUE(sameRect(again, first));
}

TEST_F(Working, copy_and_ctrl_c_put_the_whole_working_on_the_clipboard_for_a_spreadsheet) {
    enter("Double", "E/D", {"Won 2/1", "Place 3/1"});
    choose(kSelectionRows[1].placeTerms, "1/4");
    click(IDC_TAX_PAID);
    settle();
    std::string expected =
        "Double, 10p per bet, E/D, tax not paid (tax rate 9%)\r\n\r\n"
        "Row\tResult\tPrice\tRule 4\tPlace terms\r\n"
        "1\tWon\t2/1\t\t1/5\r\n"
        "2\tPlace\t3/1\t\t1/4\r\n\r\n"
        "Line\tKind\tRows\tAmount\tTotal\r\n"
        "1\tdouble\t1-2\t#0.3850\t\r\n"
        "\tThe lines' returns added up\t\t\t#0.3850\r\n"
        "\tTax 9% deducted (not paid with the stake)\t\t-#0.03465\t#0.35035\r\n"
        "\tMade whole to the hundredth of a penny\t\t-#0.00005\t#0.3503\r\n"
        "\tMade whole to the penny: Returns\t\t-#0.0003\t#0.35\r\n"
        "\t2 bets times 10p\t\t\t#0.2000\r\n"
        "\tTax not added: Total stake\t\t\t#0.20\r\n\r\n"
        "Bets\t2\r\nTotal stake\t#0.20\r\nReturns\t#0.35\r\n";
    std::replace(expected.begin(), expected.end(), '#', '\xA3');
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
