// The real program, offscreen, as a keyboard and wheel user sees it: every
// Tab step shows where the focus went, the wheel steps the focused list, and
// a dropped-down price list is as tall as its template says, not the screen.

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <deque>
#include <map>

#include "platform/core/input.h"
#include "platform/qt/qt_view.h"
#include "resources/resource.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace input = platform::input;
namespace {

platform::qt::QtView* view = nullptr;

HWND mainWindow() {
    return platform::topLevelWindows().front();
}
QWidget* control(int id) {
    return view->widgetOf(GetDlgItem(mainWindow(), id));
}
int current(int id) {
    return static_cast<int>(SendDlgItemMessageA(mainWindow(), id, CB_GETCURSEL, 0, 0));
}

void turnWheel(QWidget* widget, int notches) {
    const QPoint at = widget->rect().center();
    QWheelEvent wheel(at, widget->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

// Each step runs when the program has handled the input of the one before.
void runSteps(std::deque<std::function<void()>>& steps) {
    QTimer::singleShot(0, view, [&steps] {
        if (!steps.empty()) {
            const auto step = std::move(steps.front());
            steps.pop_front();
            step();
            runSteps(steps);
        }
    });
}

void runProgram(std::deque<std::function<void()>> steps) {
    steps.push_back([] { view->post([] { input::clickCloseBox(mainWindow()); }); });
    runSteps(steps);
    QTimer::singleShot(30000, view, [] {
        ADD_FAILURE() << "the program was still running after 30 s";
        view->post([] { input::clickCloseBox(mainWindow()); });
    });
    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
}

}  // namespace

TEST(keyboard_and_wheel, every_tab_step_shows_the_focus_and_the_wheel_steps_the_focused_list) {
    const SelectionRow& row1 = kSelectionRows[0];
    // Each control as it looks without the focus, once "Won" has enabled the
    // rest of row 1 for Tab to reach.
    std::map<QWidget*, QImage> unfocused;
    std::vector<std::string> unseen;
    int steps = 0;
    std::deque<std::function<void()>> steps_{
        // The wheel over a list without the focus does nothing.
        [&] { turnWheel(control(row1.result), -1); },
        [&] {
            EXPECT_EQ(current(row1.result), 0);
            QTest::mouseClick(control(IDC_STAKE), Qt::LeftButton);
        },
        [&] { view->post([row = row1.result] { SetFocus(GetDlgItem(mainWindow(), row)); }); },
        [&] { turnWheel(control(row1.result), -1); },  // down a notch: "Won"
        [&] {
            EXPECT_EQ(current(row1.result), 1);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(mainWindow(), row1.price)));
            turnWheel(control(row1.result), 1);  // and back up
        },
        [&] {
            EXPECT_EQ(current(row1.result), 0);
            turnWheel(control(row1.result), -1);
        },
        [&] { view->post([] { SetFocus(GetDlgItem(mainWindow(), IDC_STAKE)); }); },
        [&] {
            for (QWidget* w : view->clientOf(mainWindow())->findChildren<QWidget*>()) {
                unfocused[w] = w->grab().toImage();
            }
        }};
    // Round the whole dialog, one Tab at a time, back to the stake box.
    for (int i = 0; i < 20; ++i) {
        steps_.push_back([&] {
            if (steps > 0 && GetFocus() == GetDlgItem(mainWindow(), IDC_STAKE)) {
                return;
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        });
        steps_.push_back([&] {
            QWidget* focus = view->widgetOf(GetFocus());
            if (focus == nullptr || (steps > 0 && focus == control(IDC_STAKE))) {
                return;
            }
            ++steps;
            EXPECT_EQ(QApplication::focusWidget(), focus);
            if (focus->grab().toImage() == unfocused[focus]) {
                unseen.push_back(focus->accessibleName().toStdString());
            }
        });
    }
    runProgram(std::move(steps_));
    EXPECT_GE(steps, 10);  // round the whole dialog
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
            view->post([&] { SendDlgItemMessageA(mainWindow(), row1.price, CB_SETCURSEL, 30, 0); });
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
    HWND focusBefore = nullptr;
    bool about = false;
    std::vector<QString> opened;  // the menu open after each step, "" for none
    const auto openMenu = [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        opened.push_back(menu != nullptr ? menu->title() : QString());
    };
    // Keys go where Qt sends them: the open menu, or the focused control.
    const auto target = [] {
        QWidget* popup = QApplication::activePopupWidget();
        return popup != nullptr ? popup : view->widgetOf(GetFocus());
    };
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(target(), static_cast<Qt::Key>(key), modifiers);
    };
    runProgram({
        [&] {
            focusBefore = GetFocus();
            press(Qt::Key_F10);
        },
        [&] {
            openMenu();
            press(Qt::Key_Right);
        },
        [&] {
            openMenu();
            press(Qt::Key_Escape);
        },
        [&] {
            openMenu();
            EXPECT_EQ(GetFocus(), focusBefore);
            EXPECT_EQ(QApplication::focusWidget(), view->widgetOf(focusBefore));
            // Alt with a letter is a mnemonic, not the menu.
            QTest::keyPress(target(), Qt::Key_Alt);
            press(Qt::Key_X, Qt::AltModifier);
            QTest::keyRelease(target(), Qt::Key_Alt, Qt::AltModifier);
        },
        [&] {
            openMenu();
            QTest::keyPress(target(), Qt::Key_Alt);
            QTest::keyRelease(target(), Qt::Key_Alt, Qt::AltModifier);
        },
        [&] {
            openMenu();
            press(Qt::Key_Left);  // round to Help
        },
        [&] {
            openMenu();
            press(Qt::Key_Down);
            press(Qt::Key_Return);
        },
        [&] {
            openMenu();
            about = platform::topLevelWindows().size() == 2;
            press(Qt::Key_Escape);  // closes the About box
        },
    });
    std::string shown;
    for (const QString& title : opened) {
        shown += "[" + title.toStdString() + "]";
    }
    EXPECT_EQ(shown, "[&Options][&Help][][][&Options][&Help][]");
    EXPECT_TRUE(about) << "Enter chose Help > About";
}

}  // namespace quorvel::testing

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // A caret that blinks could be taken for a focus cue.
    QApplication::setCursorFlashTime(0);
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::platform::qt::QtView view;
    quorvel::testing::view = &view;
    return RUN_ALL_TESTS();
}
