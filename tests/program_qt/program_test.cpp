#include "tests/program_qt/program_test.h"

#include <QApplication>
#include <QPalette>
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

QPalette darkPalette() {
    QPalette palette;
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x2a, 0x2a, 0x2a);
    const QColor text(0xe8, 0xe8, 0xe8);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Light, window.lighter(150));
    palette.setColor(QPalette::Midlight, window.lighter(125));
    palette.setColor(QPalette::Mid, window.darker(125));
    palette.setColor(QPalette::Dark, window.darker(150));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    }
    return palette;
}

}  // namespace quorvel::testing

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // A caret that blinks could be taken for a focus cue.
    QApplication::setCursorFlashTime(0);
    if (qEnvironmentVariable("QUORVEL_TEST_PALETTE") == QLatin1String("dark")) {
        QApplication::setPalette(quorvel::testing::darkPalette());
    }
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::platform::qt::QtView view;
    quorvel::testing::installed = &view;
    return RUN_ALL_TESTS();
}
