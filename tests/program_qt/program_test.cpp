#include "tests/program_qt/program_test.h"

#include <QApplication>
#include <QTimer>

#include "platform/core/input.h"

namespace quorvel::testing {
namespace {

platform::qt::QtView* installed = nullptr;  // main()'s
std::deque<Step>* pending = nullptr;        // the steps of the program running

// A step runs once the core has taken all the input the last one made: Qt
// may run its timers in the middle of a burst of input, before the core has
// seen a key the last step pressed.
void runSteps() {
    QTimer::singleShot(0, installed, [] {
        if (!installed->idle()) {
            runSteps();
            return;
        }
        if (pending != nullptr && !pending->empty()) {
            const Step step = std::move(pending->front());
            pending->pop_front();
            step();
            runSteps();
        }
    });
}

}  // namespace

platform::qt::QtView& view() {
    return *installed;
}
HWND mainWindow() {
    const std::vector<HWND> windows = platform::topLevelWindows();
    return windows.empty() ? nullptr : windows.front();
}
QWidget* control(int id) {
    return installed->widgetOf(GetDlgItem(mainWindow(), id));
}
QWidget* focused() {
    return installed->widgetOf(GetFocus());
}
std::string textOf(int id) {
    char buffer[64] = {};
    GetDlgItemTextA(mainWindow(), id, buffer, sizeof buffer);
    return buffer;
}

void runNext(Step step) {
    pending->push_front(std::move(step));
}

void runProgram(std::deque<Step> steps) {
    const auto close = [] {
        if (mainWindow() != nullptr) {
            installed->post([] { platform::input::clickCloseBox(mainWindow()); });
        }
    };
    steps.push_back(close);
    pending = &steps;
    runSteps();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [close] {
        ADD_FAILURE() << "the program was still running after 30 s";
        close();
    });
    watchdog.start(30000);
    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
    pending = nullptr;
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
    quorvel::testing::installed = &view;
    return RUN_ALL_TESTS();
}
