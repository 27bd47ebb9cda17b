// What assistive tools do, in process: actions and text edits that reach the
// core as a user's input or are refused.

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::testing {
using namespace platform;
using namespace platform::qt;
namespace {

class AssistiveTool : public ControlsDialog {
  protected:
    QAccessibleInterface* of(int id) const {
        return QAccessible::queryAccessibleInterface(view().widgetOf(item(id)));
    }
    void act(int id, const QString& action) {
        QAccessibleActionInterface* actions = of(id)->actionInterface();
        ASSERT_NE(actions, nullptr);
        actions->doAction(action);
        pump();
    }
};

// Roles, names and labels are checked over the desktop's bus
// (tests/accessibility); here what only the view decides.
TEST_F(AssistiveTool, a_press_or_toggle_is_a_click_and_a_disabled_control_refuses_it) {
    act(IDC_TICK, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TICK), BST_CHECKED);
    EXPECT_TRUE(of(IDC_TICK)->state().checked);
    EXPECT_EQ(codesFrom(IDC_TICK), Codes{BN_CLICKED});
    act(IDC_LIST, QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(SendMessageA(item(IDC_LIST), CB_GETDROPPEDSTATE, 0, 0));
    act(IDC_LIST, QAccessibleActionInterface::pressAction());  // a click on an open list closes it
    EXPECT_FALSE(SendMessageA(item(IDC_LIST), CB_GETDROPPEDSTATE, 0, 0));

    // A list's value is its item, not its name.
    EXPECT_EQ(of(IDC_LIST)->text(QAccessible::Value), "Apple");
    EXPECT_FALSE(of(IDC_COLOURS)->state().focusable);
    EnableWindow(item(IDC_LIST), FALSE);
    EnableWindow(item(IDC_TICK), FALSE);
    EXPECT_FALSE(of(IDC_LIST)->state().focusable);
    commands().clear();
    EXPECT_EQ(of(IDC_LIST)->actionInterface()->actionNames(), QStringList{});
    act(IDC_LIST, QAccessibleActionInterface::pressAction());
    act(IDC_TICK, QAccessibleActionInterface::toggleAction());
    widget<QComboBox>(IDC_LIST)->showPopup();  // however it is asked
    EXPECT_FALSE(widget<QComboBox>(IDC_LIST)->view()->isVisible());
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TICK), BST_CHECKED);
}

TEST_F(AssistiveTool, text_put_in_through_the_interface_is_typed_and_a_read_only_box_takes_none) {
    QAccessibleEditableTextInterface* name = of(IDC_NAME)->editableTextInterface();
    ASSERT_NE(name, nullptr);
    name->insertText(0, QString::fromUtf8("\u00A35"));
    pump();
    EXPECT_EQ(textOf(IDC_NAME),
              "\xA3"
              "5");
    EXPECT_EQ(GetFocus(), item(IDC_NAME));  // as typing into it would
    name->replaceText(1, 2, "10");
    pump();
    name->deleteText(0, 1);
    pump();
    SendMessageA(item(IDC_NAME), EM_LIMITTEXT, 3, 0);
    name->insertText(2, "99");  // one character more than the box takes
    pump();
    EXPECT_EQ(textOf(IDC_NAME), "109");
    EXPECT_EQ(widget<QLineEdit>(IDC_NAME)->text(), "109");

    SetDlgItemTextA(dialog, IDC_SHOWN, "1.00");
    QAccessibleInterface* shown = of(IDC_SHOWN);
    EXPECT_EQ(shown->editableTextInterface(), nullptr);
    ASSERT_NE(shown->valueInterface(), nullptr);
    shown->valueInterface()->setCurrentValue("0");
    EXPECT_EQ(textOf(IDC_SHOWN), "1.00");
}

// A screen reader follows an item that reports the focus, and reads a closed
// list's value as its text.
TEST_F(AssistiveTool, a_list_changed_away_from_the_focus_keeps_the_focus_out_of_its_items) {
    SetFocus(item(IDC_NAME));
    SendMessageA(item(IDC_LIST), CB_SETCURSEL, 1, 0);
    pump();
    QAccessibleInterface* items = of(IDC_LIST)->child(0);
    ASSERT_NE(items, nullptr);
    for (int i = 0; i < items->childCount(); ++i) {
        EXPECT_FALSE(items->child(i)->state().focused) << i;
    }
    QAccessibleTextInterface* value = of(IDC_LIST)->textInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text(0, value->characterCount()), widget<QComboBox>(IDC_LIST)->itemText(1));
}

// A window is described by its texts that label no control (labels and
// group boxes are not part of it), which in turn label the window: screen
// readers read them all as it opens, and each only once.
TEST_F(AssistiveTool, a_window_is_described_by_its_texts_that_label_no_control) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(view().widgetOf(dialog));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Description), "Centred.");
    const auto labelled = of(IDC_CENTRED)->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled.front().first, window);
}

}  // namespace
}  // namespace quorvel::testing
