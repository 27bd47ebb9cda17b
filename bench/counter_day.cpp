// A day at the counter: the real program, on the Qt view (offscreen unless
// QT_QPA_PLATFORM says otherwise) or with --headless on the headless view,
// settles slip after slip as a clerk enters them, in one run: "Clear", the number of selections,
// the each-way mode, the bet, the stake (Ctrl+A and typed), each row's result and price, Enter for
// "Settle"; Preferences opened and closed with OK after every tenth slip, the
// Place Odds Calculator asked and closed after every hundredth.
//
// Every 10,000 slips and at the end it prints the time taken, the peak and
// the present memory, and what the program holds: its windows and Qt's
// widgets. Memory that grows from one report to the next, or windows and
// widgets left over, is something left behind per slip.
//
//   quorvel-counter-day [--headless] [SLIPS]     (default 100000)

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <string>

#include "platform/core/input.h"
#include "platform/headless/headless_view.h"
#include "platform/qt/qt_view.h"
#include "resources/resource.h"
#include "ui/selection_rows.h"

namespace {

using quorvel::kSelectionRows;
using quorvel::platform::topLevelWindows;
namespace input = quorvel::platform::input;

constexpr int kCountButtons[] = {IDC_SELECTIONS_1, IDC_SELECTIONS_2, IDC_SELECTIONS_3,
                                 IDC_SELECTIONS_4, IDC_SELECTIONS_5, IDC_SELECTIONS_6};
constexpr long kReportEvery = 10000;

HWND mainWindow() {
    return topLevelWindows().front();
}
HWND mainItem(int id) {
    return GetDlgItem(mainWindow(), id);
}
HWND dialogItem(int id) {
    return GetDlgItem(topLevelWindows().back(), id);
}
int itemCount(int id) {
    return static_cast<int>(SendMessageA(mainItem(id), CB_GETCOUNT, 0, 0));
}

long residentKilobytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class Clerk {
  public:
    // post hands the view an action to run as the user's next input.
    using Post = std::function<void(std::function<void()>)>;
    Clerk(Post post, long slips) : post_(std::move(post)), slips_(slips) {}

    void start() {
        started_ = std::chrono::steady_clock::now();
        post_([this] { next(); });
    }

  private:
    // One user action per turn of the program's loop, as a person gives them.
    void next() {
        if (actions_.empty()) {
            plan();
        }
        if (actions_.empty()) {
            return;
        }
        const std::function<void()> action = std::move(actions_.front());
        actions_.pop_front();
        action();
        if (!finished_) {
            post_([this] { next(); });
        }
    }

    void plan() {
        if (slip_ == slips_) {
            finished_ = true;
            input::clickCloseBox(mainWindow());
            return;
        }
        const long i = slip_++;
        const int count = 1 + static_cast<int>(i % 6);
        add([] { input::click(mainItem(IDC_CLEAR)); });
        add([count] { input::click(mainItem(kCountButtons[count - 1])); });
        add([i] { input::chooseItem(mainItem(IDC_EACH_WAY), static_cast<int>(i % 3)); });
        add([i] {
            input::chooseItem(mainItem(IDC_BET), static_cast<int>((i / 6) % itemCount(IDC_BET)));
        });
        add([] {
            input::click(mainItem(IDC_STAKE));
            input::pressKey('A', false, true);
        });
        add([i] { input::typeText(mainItem(IDC_STAKE), std::to_string(5 + i % 995)); });
        for (int row = 0; row < count; ++row) {
            const int result = static_cast<int>((i + row) % 3);  // Lost, Won, Non-Runner
            add([row, result] { input::chooseItem(mainItem(kSelectionRows[row].result), result); });
            if (result == 1) {
                add([i, row] {
                    const int id = kSelectionRows[row].price;
                    input::chooseItem(mainItem(id),
                                      static_cast<int>((i * 7 + row) % itemCount(id)));
                });
            }
        }
        add([] { input::pressKey(VK_RETURN); });
        add([this] {
            char returns[64] = {};
            GetDlgItemTextA(mainWindow(), IDC_RETURNS, returns, sizeof returns);
            settled_ += returns[0] != '\0' ? 1 : 0;
        });
        if (i % 10 == 9) {
            add([] { input::chooseMenuItem(mainWindow(), ID_OPTIONS_PREFERENCES); });
            add([] { input::click(dialogItem(IDOK)); });
        }
        if (i % 100 == 99) {
            add([] { input::chooseMenuItem(mainWindow(), ID_OPTIONS_PLACE_ODDS); });
            add([i] {
                input::chooseItem(dialogItem(IDC_PLACE_ODDS_RUNNERS), static_cast<int>(i % 8));
            });
            add([] { input::click(dialogItem(IDC_PLACE_ODDS_TELL_ME)); });
            add([] { input::click(dialogItem(IDC_PLACE_ODDS_CLOSE)); });
        }
        if (slip_ % kReportEvery == 0 || slip_ == slips_) {
            add([this] { report(); });
        }
    }

    void add(std::function<void()> action) { actions_.push_back(std::move(action)); }

    void report() const {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        std::printf(
            "%7ld slips  %8.2f s  %6.1f slips/s  peak %6.1f MB  now %6.1f MB  "
            "windows %zu  widgets %lld  settled %ld\n",
            slip_, seconds, static_cast<double>(slip_) / seconds,
            static_cast<double>(peakKilobytes()) / 1024.0,
            static_cast<double>(residentKilobytes()) / 1024.0, topLevelWindows().size(),
            static_cast<long long>(qApp != nullptr ? QApplication::allWidgets().size() : 0),
            settled_);
        std::fflush(stdout);
    }

    Post post_;
    long slips_;
    long slip_ = 0;
    long settled_ = 0;
    bool finished_ = false;
    std::deque<std::function<void()>> actions_;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace

int main(int argc, char** argv) {
    const bool headless = argc > 1 && std::string(argv[1]) == "--headless";
    const long slips =
        argc > 1 + (headless ? 1 : 0) ? std::atol(argv[1 + (headless ? 1 : 0)]) : 100000;
    if (slips <= 0) {
        std::fprintf(stderr, "usage: quorvel-counter-day [--headless] [SLIPS]\n");
        return 2;
    }
    char commandLine[] = "";
    if (headless) {
        quorvel::platform::HeadlessView view;
        Clerk clerk([&view](std::function<void()> action) { view.whenIdle(std::move(action)); },
                    slips);
        clerk.start();
        return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    quorvel::platform::qt::QtView view;
    // Each action reaches the view from Qt's event loop, as a person's input
    // does, so that Qt's own events (painting, timers) are handled in between.
    Clerk clerk(
        [&view](std::function<void()> action) {
            QTimer::singleShot(0, &view, [&view, action = std::move(action)]() mutable {
                view.post(std::move(action));
            });
        },
        slips);
    // The clerk starts once the window is up and its lists are filled.
    view.afterFirstPaint([&clerk] { clerk.start(); });
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
}
