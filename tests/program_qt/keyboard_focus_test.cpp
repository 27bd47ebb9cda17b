// The real program, offscreen, as a keyboard and wheel user sees it: every
// Tab step shows where the focus went, the wheel steps the focused list, and
// a dropped-down price list is as tall as its template says, not the screen.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <map>

#include "platform/core/input.h"
#include "resources/resource.h"
#include "tests/program_qt/program_test.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace input = platform::input;
namespace {

int current(int id) {
    return static_cast<int>(SendDlgItemMessageA(mainWindow(), id, CB_GETCURSEL, 0, 0));
}

void turnWheel(QWidget* widget, int notches) {
    const QPoint at = widget->rect().center();
    QWheelEvent wheel(at, widget->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

}  // namespace

TEST(keyboard_and_wheel, every_tab_step_shows_the_focus_and_the_wheel_steps_the_focused_list) {
    const int result1 = kSelectionRows[0].result;
    std::map<QWidget*, QImage> unfocused;  // each control as it looks without the focus
    std::vector<std::string> unseen;
    int tabs = 0;
    // One Tab, then a look at where it went, until the focus is round the
    // whole dialog and back in the stake box.
    std::function<void()> tab = [&] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        runNext([&] {
            QWidget* focus = focused();
            if (focus == control(IDC_STAKE) || ++tabs > 40) {
                return;
            }
            EXPECT_EQ(QApplication::focusWidget(), focus);
            if (focus->grab().toImage() == unfocused[focus]) {
                unseen.push_back(focus->accessibleName().toStdString());
            }
            runNext(tab);
        });
    };
    runProgram({
        [&] { turnWheel(control(result1), -1); },  // not the focused list: nothing
        [&] {
            EXPECT_EQ(current(result1), 0);
            QTest::mouseClick(control(IDC_STAKE), Qt::LeftButton);
            view().post([&] { SetFocus(GetDlgItem(mainWindow(), result1)); });
        },
        [&] { turnWheel(control(result1), -1); },  // down a notch: "Won"
        [&] {
            EXPECT_EQ(current(result1), 1);
            turnWheel(control(result1), 1);  // and back up
        },
        [&] {
            EXPECT_EQ(current(result1), 0);
            turnWheel(control(result1), -1);  // "Won" opens the rest of row 1 to Tab
        },
        [&] { view().post([] { SetFocus(GetDlgItem(mainWindow(), IDC_STAKE)); }); },
        [&] {
            for (QWidget* w : view().clientOf(mainWindow())->findChildren<QWidget*>()) {
                unfocused[w] = w->grab().toImage();
            }
            tab();
        },
    });
    EXPECT_GE(tabs, 10);  // round the whole dialog
    EXPECT_LE(tabs, 40);
    EXPECT_EQ(unseen, std::vector<std::string>{}) << "Tab reached these without showing it";
}

TEST(keyboard_and_wheel, a_dropped_down_price_list_is_as_tall_as_its_template_with_a_scroll_bar) {
    const SelectionRow& row1 = kSelectionRows[0];
    int shownRows = 0;
    bool scrolls = false;
    bool currentShown = false;
    runProgram({
        [&] { input::chooseItem(GetDlgItem(mainWindow(), row1.result), 1); },
        [&] {
            view().post(
                [&] { SendDlgItemMessageA(mainWindow(), row1.price, CB_SETCURSEL, 30, 0); });
        },
        [&] { QTest::mouseClick(control(row1.price), Qt::LeftButton); },
        [&] {
            auto* list = qobject_cast<QComboBox*>(control(row1.price));
            QAbstractItemView* items = list->view();
            shownRows = items->viewport()->height() / items->sizeHintForRow(0);
            scrolls = items->verticalScrollBar()->isVisible();
            currentShown = items->viewport()->rect().intersects(
                items->visualRect(list->model()->index(30, 0)));
            QTest::keyClick(items, Qt::Key_Escape);
        },
    });
    EXPECT_GE(shownRows, 5);
    EXPECT_LE(shownRows, 10);
    EXPECT_TRUE(scrolls);
    EXPECT_TRUE(currentShown);
}

TEST(keyboard_and_wheel, f10_or_a_lone_alt_opens_the_menu_and_esc_gives_the_focus_back) {
    constexpr int kAltWithX = -1;  // a mnemonic, not the menu
    // Keys pressed in turn, and the menu open after them.
    const std::vector<std::pair<std::vector<int>, const char*>> presses = {
        {{Qt::Key_F10}, "&Options"},
        {{Qt::Key_Right}, "&Help"},
        {{Qt::Key_Escape}, ""},
        {{kAltWithX}, ""},
        {{Qt::Key_Alt}, "&Options"},
        {{Qt::Key_Left}, "&Help"},
        {{Qt::Key_Down, Qt::Key_Return}, ""},  // About
    };
    const auto target = [] {
        QWidget* popup = QApplication::activePopupWidget();
        return popup != nullptr ? popup : focused();
    };
    HWND focusBefore = nullptr;
    std::string expected, opened;
    std::deque<Step> steps{[&] { focusBefore = GetFocus(); }};
    for (const auto& [keys, menu] : presses) {
        expected += '[';
        expected += menu;
        expected += ']';
        steps.push_back([&, keys = keys] {
            for (int key : keys) {
                if (key == Qt::Key_Alt || key == kAltWithX) {
                    QTest::keyPress(target(), Qt::Key_Alt);
                    if (key == kAltWithX) {
                        QTest::keyClick(target(), Qt::Key_X, Qt::AltModifier);
                    }
                    QTest::keyRelease(target(), Qt::Key_Alt, Qt::AltModifier);
                } else {
                    QTest::keyClick(target(), static_cast<Qt::Key>(key));
                }
            }
        });
        steps.push_back([&] {
            auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            opened += '[';
            opened += open != nullptr ? open->title().toStdString() : std::string();
            opened += ']';
            if (open == nullptr && platform::topLevelWindows().size() == 1) {
                EXPECT_EQ(GetFocus(), focusBefore);
                EXPECT_EQ(QApplication::focusWidget(), view().widgetOf(focusBefore));
            }
        });
    }
    steps.push_back([&] {
        EXPECT_EQ(platform::topLevelWindows().size(), 2u) << "Enter chose Help > About";
        QTest::keyClick(focused(), Qt::Key_Escape);
    });
    runProgram(std::move(steps));
    EXPECT_EQ(opened, expected);
}

}  // namespace quorvel::testing
