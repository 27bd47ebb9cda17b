// The real program, offscreen, settling a slip as a person would: the mouse
// for buttons and lists, the keyboard for the stake, list choices and
// "Settle", then the menu to leave. It leaves pictures of the main window and
// of Preferences and the Place Odds Calculator, named for the scale they were
// shown at (the tests run at 100%, 150% and 200%).

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "platform/core/input.h"
#include "resources/resource.h"
#include "tests/program_qt/program_test.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

// A list opened by a press takes no click until its double-click time has
// run out on its own timer. Waits in the event loop for a timer due after
// that one, so that the list has handled its own by then: QTest::qWait
// sleeps between turns of the loop, and may return with the list's timer due
// but not yet handled, when the click is lost.
void pastTheOpeningClick() {
    QEventLoop loop;
    QTimer::singleShot(QApplication::doubleClickInterval() + 50, Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
}

// Opens a list with the mouse; picks the item with the mouse, or walks to
// it with the arrow keys and takes it with Enter.
void pick(int id, const char* item, bool byMouse) {
    auto* list = qobject_cast<QComboBox*>(control(id));
    QTest::mouseClick(list, Qt::LeftButton);
    const int index = list->findText(item);
    if (byMouse) {
        pastTheOpeningClick();
        const QRect at = list->view()->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, at.center());
        return;
    }
    for (int i = list->currentIndex(); i < index; ++i) {
        QTest::keyClick(list->view(), Qt::Key_Down);
    }
    QTest::keyClick(list->view(), Qt::Key_Return);
}

// A picture of a window, named for the scale it shows at (QT_SCALE_FACTOR):
// "main-window.png", "main-window@1.5x.png"...
void savePicture(QWidget* window, const QString& name) {
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
    const QString file =
        scale.isEmpty() || scale == "1" ? name + ".png" : name + "@" + scale + "x.png";
    window->grab().save(QDir(QUORVEL_SCREENSHOT_DIR).filePath(file));
}

// Keeps the picture of the dialog in front once it shows, then closes it with
// Escape; until it shows, the step comes round again.
void pictureOfDialogShown(const QString& name) {
    const std::vector<HWND> windows = platform::topLevelWindows();
    QWidget* dialog = windows.size() > 1 ? view().widgetOf(windows.back()) : nullptr;
    if (dialog == nullptr || !dialog->isVisible()) {
        runNext([name] { pictureOfDialogShown(name); });
        return;
    }
    savePicture(dialog, name);
    QTest::keyClick(focused(), Qt::Key_Escape);
}

void untilOnlyTheMainWindow() {
    if (platform::topLevelWindows().size() > 1 || !view().idle()) {
        runNext(untilOnlyTheMainWindow);
    }
}

// Opens a dialog from the menu and keeps its picture.
void pictureOfDialog(std::deque<Step>& steps, int command, const QString& name) {
    steps.push_back([command] {
        view().post([command] { platform::input::chooseMenuItem(mainWindow(), command); });
    });
    steps.push_back([name] { pictureOfDialogShown(name); });
    steps.push_back(untilOnlyTheMainWindow);
}

TEST(program_on_the_desktop, settles_a_lucky_15_entered_by_mouse_and_keyboard) {
    std::string totalStake, returns;
    std::deque<Step> steps{
        [] { QTest::mouseClick(control(IDC_SELECTIONS_4), Qt::LeftButton); },
        [] { pick(IDC_EACH_WAY, "E/D", false); },
        [] { pick(IDC_BET, "Lucky 15", true); },
        [] { QTest::mouseClick(control(IDC_STAKE), Qt::LeftButton); },
        [] { QTest::keyClicks(focused(), "10"); },
        [] { pick(kSelectionRows[0].result, "Won", true); },
        [] { pick(kSelectionRows[1].result, "Won", false); },
        [] { pick(kSelectionRows[2].result, "Won", false); },
        [] { pick(kSelectionRows[3].result, "Won", false); },
        [] { QTest::keyClick(focused(), Qt::Key_Return); },  // Enter presses "Settle"
        [&] {
            totalStake = textOf(IDC_TOTAL_STAKE);
            returns = textOf(IDC_RETURNS);
            savePicture(control(IDC_RETURNS)->window(), "main-window");
        }};
    pictureOfDialog(steps, ID_OPTIONS_PREFERENCES, "preferences");
    pictureOfDialog(steps, ID_OPTIONS_PLACE_ODDS, "place-odds");
    steps.push_back([] {
        QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);  // "&Options"
    });
    steps.push_back([] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QTest::keyClick(menu, Qt::Key_X);  // "E&xit"
    });
    runProgram(std::move(steps));
    EXPECT_EQ(totalStake + " " + returns,
              "\xA3"
              "3.27 \xA3"
              "9.83");
    EXPECT_TRUE(platform::topLevelWindows().empty());
}

}  // namespace
}  // namespace quorvel::testing
