// The program on a Linux desktop: its windows shown by the Qt view.
//
// QUORVEL_EXIT_AFTER_FIRST_PAINT=1 makes it print, on standard error, the
// wall-clock time at which its first window had been painted, and then close
// that window as its close box would (scripts/measure-startup.sh times the
// start-up with it).

#include <QApplication>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/core/input.h"
#include "platform/qt/qt_view.h"
#include "platform/win32.h"

namespace {

void exitAfterFirstPaint(quorvel::platform::qt::QtView& view) {
    view.afterFirstPaint([&view] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "first window painted at %lld.%09ld\n",
                     static_cast<long long>(now.tv_sec), now.tv_nsec);
        view.post([] {
            for (HWND window : quorvel::platform::topLevelWindows()) {
                quorvel::platform::input::clickCloseBox(window);
            }
        });
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel"));
    // The menu entry's name, by which desktops find the window's icon.
    QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
    quorvel::platform::qt::QtView view;
    if (qEnvironmentVariableIntValue("QUORVEL_EXIT_AFTER_FIRST_PAINT") != 0) {
        exitAfterFirstPaint(view);
    }
    // The command line as the platform hands it over: the arguments after
    // the program's name.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine += ' ';
        }
        commandLine += argv[i];
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
