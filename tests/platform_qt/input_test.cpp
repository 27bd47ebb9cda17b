// Real widget input reaches the core as the platform's controls report it,
// and the dialog manager decides what keys mean.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include "platform/core/input.h"
#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::testing {
using namespace platform;
using namespace platform::qt;
namespace {

using DialogInput = ControlsDialog;

TEST_F(DialogInput, clicks_press_buttons_and_tick_boxes_and_check_radio_buttons) {
    click(IDCANCEL);
    EXPECT_EQ(codesFrom(IDCANCEL), Codes{BN_CLICKED});
    EXPECT_TRUE(widget<QWidget>(IDCANCEL)->hasFocus());
    click(IDC_GREEN);
    click(IDC_GREEN);  // a checked radio button stays checked, on screen too
    EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_GREEN) &&
                widget<QRadioButton>(IDC_GREEN)->isChecked());
    click(IDC_BLUE);
    EXPECT_FALSE(widget<QRadioButton>(IDC_GREEN)->isChecked());
    EnableWindow(item(IDC_TICK), FALSE);
    click(IDC_TICK);
    EXPECT_TRUE(codesFrom(IDC_TICK).empty());
}

// A list picked with the mouse or the keyboard is the program tests' part.
TEST_F(DialogInput, a_list_opened_from_the_keyboard_and_let_go_with_escape_keeps_its_item) {
    auto* list = widget<QComboBox>(IDC_LIST);
    click(IDC_LIST);
    key(Qt::Key_Escape);
    key(Qt::Key_D);  // the next item starting with the letter: "Damson"
    commands().clear();
    key(Qt::Key_F4);
    ASSERT_TRUE(list->view()->isVisible());
    EXPECT_TRUE(SendMessageA(item(IDC_LIST), CB_GETDROPPEDSTATE, 0, 0));
    QTest::keyClick(list->view(), Qt::Key_Up);
    QTest::keyClick(list->view(), Qt::Key_Escape);
    pump();
    EXPECT_EQ(SendMessageA(item(IDC_LIST), CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(codesFrom(IDC_LIST), (Codes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(list->currentText(), "Damson");  // on screen too
}

TEST_F(DialogInput, typing_and_the_clipboard_carry_text_in_windows_1252) {
    click(IDC_NAME);
    type(QString::fromUtf8("Cost \u00A35 \u03A9"));  // omega is outside the code page
    const std::string pound = "\xA3";
    EXPECT_EQ(textOf(IDC_NAME), "Cost " + pound + "5 ?");
    EXPECT_EQ(codesFrom(IDC_NAME).size(), 1 + 2 * 9u);  // EN_SETFOCUS, then per character
    key(Qt::Key_Backspace);
    key(Qt::Key_Home);
    key(Qt::Key_Delete);
    key(Qt::Key_End);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\u00E9"));
    QApplication::sendEvent(QApplication::focusWidget(), &composed);
    pump();
    EXPECT_EQ(textOf(IDC_NAME), "ost " + pound + "5 \xE9");
    // A selection made with the mouse is what typing replaces.
    widget<QLineEdit>(IDC_NAME)->setSelection(1, 3);
    type("X");
    EXPECT_EQ(widget<QLineEdit>(IDC_NAME)->text(), QString::fromUtf8("oX\u00A35 \u00E9"));
    EXPECT_FALSE(widget<QLineEdit>(IDC_NAME)->isUndoAvailable()) << "the core keeps the undo";
    // Shift and Ctrl reach the box with the keys.
    key(Qt::Key_End, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("\u00A35 \u00E9"));
    QGuiApplication::clipboard()->setText(QString::fromUtf8("\u00A37\n8"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(textOf(IDC_NAME), "oX" + pound + "7") << "up to the line break";
}

TEST_F(DialogInput, a_right_click_on_a_box_shows_the_cores_menu_and_carries_out_its_choice) {
    QGuiApplication::clipboard()->setText("7");
    click(IDC_NAME);
    type("250");
    QStringList shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            answer.stop();
            for (const QAction* action : menu->actions()) {
                shown << (action->isSeparator() ? "-"
                          : action->isEnabled() ? action->text()
                                                : "[" + action->text() + "]");
            }
            QTest::keyClick(menu, Qt::Key_A);  // "Select &All"
        }
    });
    answer.start(10);
    auto* edit = widget<QLineEdit>(IDC_NAME);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, edit->rect().center(),
                                 edit->mapToGlobal(edit->rect().center()));
    QApplication::sendEvent(edit, &rightClick);
    pump();
    EXPECT_EQ(shown, (QStringList{"&Undo", "-", "[Cu&t]", "[&Copy]", "&Paste", "[&Delete]", "-",
                                  "Select &All"}));
    EXPECT_EQ(SendMessageA(item(IDC_NAME), EM_GETSEL, 0, 0), MAKELONG(0, 3));
    EXPECT_EQ(edit->selectedText(), "250");
}

TEST_F(DialogInput, tab_enter_escape_arrows_and_space_work_as_in_a_dialog) {
    SetFocus(item(IDC_SHOWN));
    key(Qt::Key_Tab);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_LIST);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_NAME);
    commands().clear();
    key(Qt::Key_Return);  // from an edit box: the default button
    key(Qt::Key_Escape);
    EXPECT_EQ(commands(), (std::vector<Command>{{IDOK, BN_CLICKED}, {IDCANCEL, BN_CLICKED}}));
    click(IDC_RED);
    key(Qt::Key_Down);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GREEN), BST_CHECKED);
    SetFocus(item(IDC_TICK));
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Space);
    pump();
    EXPECT_TRUE(widget<QCheckBox>(IDC_TICK)->isDown());  // held down until let go
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Space);
    pump();
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TICK), BST_CHECKED);
}

TEST_F(DialogInput, f1_asks_the_dialog_for_help_about_the_control_it_was_pressed_in) {
    SetFocus(item(IDC_LIST));
    commands().clear();
    key(Qt::Key_F1);
    EXPECT_EQ(commands(), (std::vector<Command>{{WM_HELP, IDC_LIST}}));
}

TEST_F(DialogInput, the_up_down_arrows_step_the_buddy_and_stop_at_the_limit) {
    const auto buttons = view().widgetOf(item(IDC_COUNT_ARROWS))->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    const bool upFirst = buttons[0]->arrowType() == Qt::UpArrow;
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(buttons[upFirst ? 0 : 1], Qt::LeftButton);
        pump();
    }
    EXPECT_EQ(widget<QLineEdit>(IDC_COUNT)->text(), "5");
    QTest::mouseClick(buttons[upFirst ? 1 : 0], Qt::LeftButton);
    pump();
    EXPECT_EQ(textOf(IDC_COUNT), "4");
    EXPECT_EQ(GetFocus(), item(IDC_COUNT));
}

TEST_F(DialogInput, a_mnemonic_clicks_its_button_and_the_warning_box_answers_ok) {
    click(IDC_NAME);
    QString shown;
    // The mnemonic's click is queued behind the key, so the box opens some
    // turns of the loop later: look for it until it is there.
    QTimer untilShown;
    QObject::connect(&untilShown, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        untilShown.stop();
        shown = box->windowTitle() + "|" + box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->parentWidget(), view().widgetOf(dialog));
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    });
    untilShown.start(1);
    key(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(shown, QString::fromUtf8("Error|Careful with \u00A3 signs"));
    EXPECT_EQ(codesFrom(IDC_APPLY), Codes{BN_CLICKED});
    EXPECT_EQ(commands().back(), (Command{0, IDOK}));
}

TEST_F(DialogInput, a_long_burst_of_input_still_lets_qt_paint_and_run_timers) {
    click(IDC_NAME);
    constexpr int kKeys = 50;  // each taking a millisecond or more
    std::size_t typedWhenTimerRan = kKeys;
    QTimer::singleShot(0, [&] { typedWhenTimerRan = textOf(IDC_NAME).size(); });
    for (int i = 0; i < kKeys; ++i) {
        view().post([this] {
            input::typeText(item(IDC_NAME), "1");
            QThread::msleep(1);
        });
    }
    pump();
    EXPECT_EQ(textOf(IDC_NAME).size(), std::size_t{kKeys});
    EXPECT_LT(typedWhenTimerRan, std::size_t{kKeys}) << "the timer waited for the whole burst";
}

}  // namespace
}  // namespace quorvel::testing
