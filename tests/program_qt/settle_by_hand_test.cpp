// The real program, offscreen, settling a slip as a person would: the mouse
// for buttons and lists, the keyboard for the stake, list choices and
// "Settle", then the menu to leave. It leaves pictures of the main window and
// of Preferences and the Place Odds Calculator, named for the scale they were
// shown at (the tests run at 100%, 150% and 200%).

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <deque>

#include "platform/core/input.h"
#include "platform/qt/qt_view.h"
#include "resources/resource.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

platform::qt::QtView* view = nullptr;

QWidget* control(int id) {
    return view->widgetOf(GetDlgItem(platform::topLevelWindows().front(), id));
}
QWidget* focused() {
    return view->widgetOf(GetFocus());
}
std::string text(int id) {
    char buffer[64] = {};
    GetDlgItemTextA(platform::topLevelWindows().front(), id, buffer, sizeof buffer);
    return buffer;
}

// Opens a list with the mouse; picks the item with the mouse, or walks to
// it with the arrow keys and takes it with Enter.
void pick(int id, const char* item, bool byMouse) {
    auto* list = qobject_cast<QComboBox*>(control(id));
    QTest::mouseClick(list, Qt::LeftButton);
    const int index = list->findText(item);
    if (byMouse) {
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // not the opening click
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

using Steps = std::deque<std::function<void()>>;

// Keeps the picture of the dialog in front once it shows, then closes it with
// Escape; until it shows, the step comes round again.
void pictureOfDialogShown(Steps& steps, const QString& name) {
    const std::vector<HWND> windows = platform::topLevelWindows();
    QWidget* dialog = windows.size() > 1 ? view->widgetOf(windows.back()) : nullptr;
    if (dialog == nullptr || !dialog->isVisible()) {
        steps.push_front([&steps, name] { pictureOfDialogShown(steps, name); });
        return;
    }
    savePicture(dialog, name);
    QTest::keyClick(focused(), Qt::Key_Escape);
}

void untilOnlyTheMainWindow(Steps& steps) {
    if (platform::topLevelWindows().size() > 1 || !view->idle()) {
        steps.push_front([&steps] { untilOnlyTheMainWindow(steps); });
    }
}

// Opens a dialog from the menu and keeps its picture.
void pictureOfDialog(Steps& steps, int command, const QString& name) {
    steps.push_back([command] {
        view->post([command] {
            platform::input::chooseMenuItem(platform::topLevelWindows().front(), command);
        });
    });
    steps.push_back([&steps, name] { pictureOfDialogShown(steps, name); });
    steps.push_back([&steps] { untilOnlyTheMainWindow(steps); });
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

TEST(program_on_the_desktop, settles_a_lucky_15_entered_by_mouse_and_keyboard) {
    std::string totalStake, returns;
    std::deque<std::function<void()>> steps{
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
            totalStake = text(IDC_TOTAL_STAKE);
            returns = text(IDC_RETURNS);
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
    runSteps(steps);
    // Should a step fail to end the program, its close box does.
    QTimer::singleShot(30000, view, [] {
        ADD_FAILURE() << "the program was still running after 30 s";
        view->post([] { platform::input::clickCloseBox(platform::topLevelWindows().front()); });
    });

    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
    EXPECT_EQ(totalStake + " " + returns,
              "\xA3"
              "3.27 \xA3"
              "9.83");
    EXPECT_TRUE(platform::topLevelWindows().empty());
}

}  // namespace
}  // namespace quorvel::testing

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::platform::qt::QtView view;
    quorvel::testing::view = &view;
    return RUN_ALL_TESTS();
}
