// Real widget input reaches the core as the platform's controls report it,
// and the dialog manager decides what keys mean.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::platform::qt::testing {
namespace {

using Codes = std::vector<int>;

// Typing as a keyboard layout delivers it, characters beyond ASCII included.
void typeCharacters(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

class DialogInput : public ControlsDialog {
  protected:
    void click(int id) {
        QTest::mouseClick(view().widgetOf(item(id)), Qt::LeftButton);
        pump();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : view().widgetOf(dialog), key, modifiers);
        pump();
    }
    void focus(int id) {
        SetFocus(item(id));
        pump();
        commands().clear();
    }
    UINT checkOf(int id) const { return IsDlgButtonChecked(dialog, id); }
};

TEST_F(DialogInput, a_click_on_a_push_button_sends_bn_clicked_and_takes_the_focus) {
    click(IDCANCEL);
    EXPECT_EQ(codesFrom(IDCANCEL), Codes{BN_CLICKED});
    EXPECT_EQ(GetFocus(), item(IDCANCEL));
    EXPECT_TRUE(widget<QPushButton>(IDCANCEL)->hasFocus());
}

TEST_F(DialogInput, radio_clicks_check_one_button_of_the_group_and_keep_it_checked) {
    click(IDC_GREEN);
    EXPECT_EQ(codesFrom(IDC_GREEN), Codes{BN_CLICKED});
    EXPECT_EQ(checkOf(IDC_GREEN), BST_CHECKED);
    EXPECT_EQ(checkOf(IDC_RED), BST_UNCHECKED);
    // A second click on the checked button leaves it checked, on screen too.
    click(IDC_GREEN);
    EXPECT_EQ(checkOf(IDC_GREEN), BST_CHECKED);
    EXPECT_TRUE(widget<QRadioButton>(IDC_GREEN)->isChecked());
    click(IDC_BLUE);
    EXPECT_FALSE(widget<QRadioButton>(IDC_GREEN)->isChecked());
    EXPECT_TRUE(widget<QRadioButton>(IDC_BLUE)->isChecked());
}

TEST_F(DialogInput, a_click_toggles_the_tick_box_and_a_disabled_one_takes_none) {
    click(IDC_TICK);
    EXPECT_EQ(checkOf(IDC_TICK), BST_CHECKED);
    click(IDC_TICK);
    EXPECT_EQ(checkOf(IDC_TICK), BST_UNCHECKED);
    EXPECT_EQ(codesFrom(IDC_TICK), (Codes{BN_CLICKED, BN_CLICKED}));
    EnableWindow(item(IDC_TICK), FALSE);
    commands().clear();
    click(IDC_TICK);
    EXPECT_EQ(checkOf(IDC_TICK), BST_UNCHECKED);
    EXPECT_TRUE(commands().empty());
}

TEST_F(DialogInput, a_list_item_chosen_with_the_mouse_sends_the_lists_notifications) {
    auto* list = widget<QComboBox>(IDC_LIST);
    QTest::mouseClick(list, Qt::LeftButton);
    pump();
    ASSERT_TRUE(list->view()->isVisible());
    EXPECT_TRUE(SendMessageA(item(IDC_LIST), CB_GETDROPPEDSTATE, 0, 0));
    // A list just opened ignores a release that could end the opening click.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect cherry = list->view()->visualRect(list->model()->index(2, 0));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, cherry.center());
    pump();
    EXPECT_EQ(SendMessageA(item(IDC_LIST), CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(SendMessageA(item(IDC_LIST), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(codesFrom(IDC_LIST),
              (Codes{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(list->currentText(), "Cherry");
}

TEST_F(DialogInput, a_list_chosen_from_the_keyboard_or_cancelled_with_escape) {
    focus(IDC_LIST);
    auto* list = widget<QComboBox>(IDC_LIST);
    key(Qt::Key_Down);
    EXPECT_EQ(SendMessageA(item(IDC_LIST), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(codesFrom(IDC_LIST), (Codes{CBN_SELENDOK, CBN_SELCHANGE}));
    key(Qt::Key_D);  // the first item starting with the letter
    EXPECT_EQ(list->currentText(), "Damson");
    // F4 opens the list; Escape on the open list closes it without a choice.
    commands().clear();
    key(Qt::Key_F4);
    ASSERT_TRUE(list->view()->isVisible());
    QTest::keyClick(list->view(), Qt::Key_Up);
    QTest::keyClick(list->view(), Qt::Key_Escape);
    pump();
    EXPECT_EQ(SendMessageA(item(IDC_LIST), CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(codesFrom(IDC_LIST), (Codes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(list->currentText(), "Damson");
}

TEST_F(DialogInput, typed_text_is_stored_in_windows_1252_with_question_marks_outside_it) {
    click(IDC_NAME);
    typeCharacters(QApplication::focusWidget(), QString::fromUtf8("Cost \u00A35 \u03A9"));
    pump();
    EXPECT_EQ(textOf(IDC_NAME),
              "Cost \xA3"
              "5 ?");
    EXPECT_EQ(widget<QLineEdit>(IDC_NAME)->text(), QString::fromUtf8("Cost \u00A35 ?"));
    EXPECT_EQ(codesFrom(IDC_NAME).size(), 1 + 2 * 9u);  // EN_SETFOCUS, then per character
    key(Qt::Key_Backspace);
    key(Qt::Key_Home);
    key(Qt::Key_Delete);
    EXPECT_EQ(textOf(IDC_NAME),
              "ost \xA3"
              "5 ");
    // Text composed by an input method counts as typed.
    key(Qt::Key_End);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\u00E9"));
    QApplication::sendEvent(QApplication::focusWidget(), &composed);
    pump();
    EXPECT_EQ(textOf(IDC_NAME), "ost \xA3" "5 \xE9");
    key(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "x");
    pump();
    EXPECT_EQ(textOf(IDC_NAME), "x");
}

TEST_F(DialogInput, a_mouse_selection_in_an_edit_box_is_the_cores_selection) {
    SetDlgItemTextA(dialog, IDC_NAME, "abcdef");
    click(IDC_NAME);
    auto* edit = widget<QLineEdit>(IDC_NAME);
    edit->setSelection(1, 3);  // as a drag from b to d does
    pump();
    QTest::keyClicks(edit, "X");
    pump();
    EXPECT_EQ(textOf(IDC_NAME), "aXef");
}

TEST_F(DialogInput, tab_and_shift_tab_follow_template_order_and_tab_stops) {
    focus(IDOK);
    // Each radio button of the script is a tab stop of its own.
    const int forward[] = {IDCANCEL, IDC_APPLY, IDC_RED,  IDC_GREEN, IDC_BLUE, IDC_TICK,
                           IDC_NAME, IDC_SHOWN, IDC_LIST, IDC_COUNT, IDOK};
    for (int id : forward) {
        key(Qt::Key_Tab);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
    }
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_COUNT);
    EXPECT_TRUE(widget<QLineEdit>(IDC_COUNT)->hasFocus());
}

TEST_F(DialogInput, enter_presses_the_default_button_and_escape_sends_cancel) {
    focus(IDC_NAME);
    key(Qt::Key_Return);
    EXPECT_EQ(codesFrom(IDOK), Codes{BN_CLICKED});
    key(Qt::Key_Escape);
    EXPECT_EQ(codesFrom(IDCANCEL), Codes{BN_CLICKED});
    // On a focused push button Enter presses that button.
    focus(IDCANCEL);
    key(Qt::Key_Enter);
    EXPECT_EQ(codesFrom(IDCANCEL), Codes{BN_CLICKED});
    EXPECT_TRUE(codesFrom(IDOK).empty());
}

TEST_F(DialogInput, arrows_move_the_check_within_the_radio_group_and_space_toggles) {
    click(IDC_RED);
    key(Qt::Key_Down);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_GREEN);
    EXPECT_EQ(checkOf(IDC_GREEN), BST_CHECKED);
    key(Qt::Key_Up);
    key(Qt::Key_Up);  // wraps round to the last of the group
    EXPECT_EQ(checkOf(IDC_BLUE), BST_CHECKED);
    focus(IDC_TICK);
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Space);
    pump();
    EXPECT_TRUE(widget<QCheckBox>(IDC_TICK)->isDown());  // held down until let go
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Space);
    pump();
    EXPECT_EQ(checkOf(IDC_TICK), BST_CHECKED);
    EXPECT_FALSE(widget<QCheckBox>(IDC_TICK)->isDown());
}

TEST_F(DialogInput, the_up_down_arrows_step_the_buddy_and_stop_at_the_limit) {
    QWidget* arrows = view().widgetOf(item(IDC_COUNT_ARROWS));
    const auto buttons = arrows->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QToolButton* up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
    QToolButton* down = up == buttons[0] ? buttons[1] : buttons[0];
    EXPECT_EQ(textOf(IDC_COUNT), "3");
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(up, Qt::LeftButton);
        pump();
    }
    EXPECT_EQ(textOf(IDC_COUNT), "5");
    EXPECT_EQ(widget<QLineEdit>(IDC_COUNT)->text(), "5");
    QTest::mouseClick(down, Qt::LeftButton);
    pump();
    EXPECT_EQ(LOWORD(SendMessageA(item(IDC_COUNT_ARROWS), UDM_GETPOS, 0, 0)), 4);
    EXPECT_EQ(GetFocus(), item(IDC_COUNT));
}

TEST_F(DialogInput, a_buttons_mnemonic_clicks_it_and_the_warning_box_answers_ok) {
    focus(IDC_NAME);
    QMessageBox* seen = nullptr;
    QString text;
    whenIdle([&] {
        seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(seen, nullptr);
        text = seen->text();
        EXPECT_EQ(seen->windowTitle(), "Error");
        EXPECT_EQ(seen->icon(), QMessageBox::Warning);
        EXPECT_EQ(seen->buttons().size(), 1);
        EXPECT_EQ(seen->parentWidget(), view().widgetOf(dialog));
        QTest::mouseClick(seen->buttons().front(), Qt::LeftButton);
    });
    key(Qt::Key_A, Qt::AltModifier);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(text, QString::fromUtf8("Careful with \u00A3 signs"));
    EXPECT_EQ(codesFrom(IDC_APPLY), Codes{BN_CLICKED});
    EXPECT_EQ(commands().back(), (Command{0, IDOK}));
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
