// Every window of the program, laid out on the desktop at the scale the run
// is given (QT_SCALE_FACTOR: the tests run at 100%, 150% and 200%), gives each
// control the room its texts and frame need, measured with the font and
// style the control is drawn with. Lists are measured with every item they
// can show, which for the main window means every number of selections and
// every each-way mode. On an X desktop each window also asks the window
// manager for the frame its template's styles give it, and no more. The run
// also leaves a picture of each window.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "platform/core/input.h"
#include "platform/core/view.h"
#include "platform/core/window.h"
#include "platform/qt/widgets.h"
#include "resources/resource.h"
#include "tests/program_qt/program_test.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

using Problems = std::vector<std::string>;

std::string describe(const QWidget* widget, const QString& text) {
    return std::string(widget->metaObject()->className()) + " \"" + text.toStdString() + "\" (" +
           std::to_string(widget->width()) + "x" + std::to_string(widget->height()) + ")";
}

void needs(Problems& problems, const QWidget* widget, const QString& text, QSize needed) {
    if (needed.width() > widget->width() || needed.height() > widget->height()) {
        problems.push_back(describe(widget, text) + " needs " + std::to_string(needed.width()) +
                           "x" + std::to_string(needed.height()));
    }
}

void measureLabel(Problems& problems, const QLabel* label) {
    if (label->text().isEmpty()) {
        return;
    }
    const QFontMetrics metrics = label->fontMetrics();
    const QRect room = label->contentsRect();
    const int flags = static_cast<int>(label->alignment()) |
                      (label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QRect drawn =
        metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags, label->text());
    int widestWord = 0;
    for (const QString& word : label->text().split(QLatin1Char(' '))) {
        widestWord = std::max(widestWord, metrics.horizontalAdvance(word));
    }
    needs(problems, label, label->text(),
          QSize(std::max(widestWord, label->wordWrap() ? 0 : drawn.width()), drawn.height()) +
              (label->size() - room.size()));
}

// A check box or radio button: the box or circle and its text.
void measureTick(Problems& problems, const QAbstractButton* button) {
    needs(problems, button, button->text(), button->sizeHint());
}

// A push button: its text inside the style's frame and margins.
void measurePush(Problems& problems, const QPushButton* button) {
    const QStyle* style = button->style();
    QStyleOptionButton option;
    option.initFrom(button);
    const int margins = style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
                        2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    const QFontMetrics metrics = button->fontMetrics();
    const QString text = QString(button->text()).remove(QLatin1Char('&'));
    needs(problems, button, text,
          QSize(metrics.horizontalAdvance(text), metrics.height()) + QSize(margins, margins));
}

// A drop-down list: each item in the field the style draws the current item in.
void measureList(Problems& problems, const QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    option.frame = true;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    const QFontMetrics metrics = list->fontMetrics();
    for (int i = 0; i < list->count(); ++i) {
        const QString text = list->itemText(i);
        if (metrics.horizontalAdvance(text) > field.width() || metrics.height() > field.height()) {
            problems.push_back(describe(list, text) + " shows it in " +
                               std::to_string(field.width()) + "x" +
                               std::to_string(field.height()));
        }
    }
}

// An edit box: its line of text, and the style's frame and margins if it
// has a frame.
void measureEdit(Problems& problems, const QLineEdit* edit) {
    const QFontMetrics metrics = edit->fontMetrics();
    const int height = edit->hasFrame() ? edit->minimumSizeHint().height() : metrics.height();
    needs(problems, edit, edit->text(), QSize(metrics.horizontalAdvance(edit->text()), height));
}

// A group box's frame is seen whole: no control that paints its background
// (all but static texts) covers its lines.
void measureGroup(Problems& problems, const platform::qt::GroupBoxWidget* group,
                  const std::vector<const QWidget*>& controls) {
    const QFontMetrics metrics = group->fontMetrics();
    // The title, with the indent and the gaps the frame leaves about it.
    needs(problems, group, group->title(),
          QSize(metrics.horizontalAdvance(group->title()) + 3 * metrics.averageCharWidth(),
                metrics.height()));
    const int top = metrics.height() / 2;
    const QRect outer = group->geometry().adjusted(0, top, 0, 0);
    const QRect inner = outer.adjusted(2, 2, -2, -2);
    for (const QWidget* control : controls) {
        if (control == group || !control->isVisible() ||
            qobject_cast<const QLabel*>(control) != nullptr ||
            dynamic_cast<const platform::qt::GroupBoxWidget*>(control) != nullptr) {
            continue;
        }
        const QRect at = control->geometry();
        if (at.intersects(outer) && !inner.contains(at)) {
            problems.push_back(describe(control, QString()) + " covers the frame of group box " +
                               describe(group, group->title()));
        }
    }
}

// Every control of a top-level window that needs more room than it has.
Problems roomProblems(HWND window) {
    Problems problems;
    const platform::Window* w = platform::findWindow(window);
    if (w == nullptr) {
        return {"no window"};
    }
    std::vector<const QWidget*> controls;
    for (HWND child : w->children) {
        if (const QWidget* widget = view().widgetOf(child); widget != nullptr) {
            controls.push_back(widget);
        }
    }
    for (const QWidget* widget : controls) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            measureLabel(problems, label);
        } else if (const auto* push = qobject_cast<const QPushButton*>(widget)) {
            measurePush(problems, push);
        } else if (const auto* tick = qobject_cast<const QAbstractButton*>(widget)) {
            measureTick(problems, tick);
        } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            measureList(problems, list);
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            measureEdit(problems, edit);
        } else if (const auto* group = dynamic_cast<const platform::qt::GroupBoxWidget*>(widget)) {
            measureGroup(problems, group, controls);
        }
    }
    return problems;
}

// A window property of 32-bit values, as the window manager reads it.
std::vector<std::uint32_t> property(xcb_connection_t* connection, xcb_window_t window,
                                    const std::string& name) {
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr);
    if (atom == nullptr) {
        return {};
    }
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 32),
        nullptr);
    std::free(atom);
    std::vector<std::uint32_t> values;
    if (reply != nullptr && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

// Motif hints: a flag word saying which of the function and decoration words
// count; in each, bit 0 set means "all but the bits named".
constexpr std::uint32_t kMotifFunctions = 1;
constexpr std::uint32_t kMotifDecorations = 2;
constexpr std::uint32_t kFunctionMinimise = 8;
constexpr std::uint32_t kFunctionMaximise = 16;
constexpr std::uint32_t kFunctionClose = 32;
constexpr std::uint32_t kDecorationTitle = 8;
constexpr std::uint32_t kDecorationMinimise = 32;
constexpr std::uint32_t kDecorationMaximise = 64;

bool motifAllows(const std::vector<std::uint32_t>& hints, std::uint32_t which, int word,
                 std::uint32_t bit) {
    if (hints.size() < 3 || (hints[0] & which) == 0) {
        return true;
    }
    const std::uint32_t named = hints[static_cast<std::size_t>(word)];
    return (named & 1) != 0 ? (named & bit) == 0 : (named & bit) != 0;
}

struct Frame {
    bool title = false;
    bool close = false;
    bool minimise = false;
    bool maximise = false;
    bool fixed = false;
    bool operator==(const Frame&) const = default;
};

std::string describe(const Frame& f) {
    return std::string(f.title ? "title" : "no title") + (f.close ? ", close" : "") +
           (f.minimise ? ", minimise" : "") + (f.maximise ? ", maximise" : "") +
           (f.fixed ? ", fixed size" : ", sizeable");
}

// What the window asks the window manager for: its Motif hints, and its size
// limits in the normal hints (flags, x, y, width, height, minimum, maximum).
Frame frameAskedFor(QWidget* widget) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(widget->winId());
    const std::vector<std::uint32_t> motif = property(connection, window, "_MOTIF_WM_HINTS");
    const std::vector<std::uint32_t> normal = property(connection, window, "WM_NORMAL_HINTS");
    constexpr std::uint32_t kMinimumSize = 16;
    constexpr std::uint32_t kMaximumSize = 32;
    Frame f;
    f.title = motifAllows(motif, kMotifDecorations, 2, kDecorationTitle);
    f.close = f.title && motifAllows(motif, kMotifFunctions, 1, kFunctionClose);
    f.minimise = f.title && motifAllows(motif, kMotifFunctions, 1, kFunctionMinimise) &&
                 motifAllows(motif, kMotifDecorations, 2, kDecorationMinimise);
    f.fixed = normal.size() >= 9 && (normal[0] & kMinimumSize) != 0 &&
              (normal[0] & kMaximumSize) != 0 && normal[5] == normal[7] && normal[6] == normal[8];
    f.maximise = f.title && !f.fixed && motifAllows(motif, kMotifFunctions, 1, kFunctionMaximise) &&
                 motifAllows(motif, kMotifDecorations, 2, kDecorationMaximise);
    return f;
}

// On an X desktop, the window asks for the boxes its styles name and keeps
// its template's size unless it has a sizing border.
void expectFrame(HWND window, const std::string& what) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    const platform::Window* w = platform::findWindow(window);
    ASSERT_NE(w, nullptr) << what;
    Frame styles;
    styles.title = (w->style & WS_CAPTION) == WS_CAPTION;
    styles.close = styles.title && (w->style & WS_SYSMENU) != 0;
    styles.minimise = styles.title && (w->style & WS_MINIMIZEBOX) != 0;
    styles.fixed = (w->style & WS_THICKFRAME) == 0;
    styles.maximise = styles.title && !styles.fixed && (w->style & WS_MAXIMIZEBOX) != 0;
    const Frame asked = frameAskedFor(view().widgetOf(window));
    EXPECT_EQ(asked, styles) << what << " asks for " << describe(asked) << ", its styles say "
                             << describe(styles);
}

void expectRoom(HWND window, const std::string& what) {
    SCOPED_TRACE(what);
    for (const std::string& problem : roomProblems(window)) {
        ADD_FAILURE() << problem;
    }
}

// A picture of the window with its frame, named for the scale and palette
// of the run: "main-window.png", "main-window@1.5x.png", "main-window-dark@2x.png".
void savePicture(HWND window, const QString& name) {
    QWidget* widget = view().widgetOf(window);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
    const QString palette = qEnvironmentVariable("QUORVEL_TEST_PALETTE");
    QString file = name;
    if (!palette.isEmpty()) {
        file += "-" + palette;
    }
    if (!scale.isEmpty() && scale != "1") {
        file += "@" + scale + "x";
    }
    const QDir folder(qEnvironmentVariable("QUORVEL_PICTURES", QUORVEL_SCREENSHOT_DIR "/pictures"));
    folder.mkpath(".");
    QPixmap picture = widget->grab();
    // On a desktop, the window as the window manager frames it.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QTest::qWait(500);
        const QRect frame = widget->frameGeometry();
        picture =
            widget->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    picture.save(folder.filePath(file + ".png"));
}

HWND dialogShown() {
    const std::vector<HWND> windows = platform::topLevelWindows();
    if (windows.size() < 2) {
        return nullptr;
    }
    const QWidget* widget = view().widgetOf(windows.back());
    return widget != nullptr && widget->isVisible() ? windows.back() : nullptr;
}

// Once a dialog shows, runs check on it; until then, the step comes round again.
void checkWhenShownKeepingIt(const std::function<void(HWND)>& check) {
    const HWND dialog = dialogShown();
    if (dialog == nullptr) {
        runNext([check] { checkWhenShownKeepingIt(check); });
        return;
    }
    check(dialog);
}

// Once a dialog shows, runs check on it and closes it.
void checkWhenShown(const std::function<void(HWND)>& check) {
    checkWhenShownKeepingIt([check](HWND dialog) {
        check(dialog);
        view().post([dialog] { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    });
}

void untilOnlyTheMainWindow() {
    if (platform::topLevelWindows().size() > 1 || !view().idle()) {
        runNext(untilOnlyTheMainWindow);
    }
}

// Opens a dialog from the menu and checks it.
void checkDialog(std::deque<Step>& steps, int command, std::function<void(HWND)> check) {
    steps.push_back([command] {
        view().post([command] { platform::input::chooseMenuItem(mainWindow(), command); });
    });
    steps.push_back([check = std::move(check)] { checkWhenShown(check); });
    steps.push_back(untilOnlyTheMainWindow);
}

// Where a control of a dialog sits from its client area's bottom right corner.
QPoint fromCorner(HWND dialog, int id) {
    const QWidget* client = view().clientOf(dialog);
    const QRect at = view().widgetOf(GetDlgItem(dialog, id))->geometry();
    return QPoint(client->width() - at.right(), client->height() - at.bottom());
}

// The user makes the Working dialog larger (half as large again where the
// screen has room): once the program has laid it out, the buttons keep to the
// corner and every control still has room.
void waitForEnlargedWorking(HWND dialog, QSize wanted, QPoint closeFromCorner, int triesLeft) {
    const QWidget* frame = view().widgetOf(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    const QSize units =
        platform::qt::toDialogUnits(view().clientOf(dialog)->size(), view().baseUnitsOf(dialog));
    const bool laidOut =
        frame->size() == wanted && view().idle() && units == QSize(client.right, client.bottom);
    if (!laidOut && triesLeft > 0) {
        runNext([=] { waitForEnlargedWorking(dialog, wanted, closeFromCorner, triesLeft - 1); });
        return;
    }
    EXPECT_TRUE(laidOut) << "the frame is " << frame->width() << "x" << frame->height();
    EXPECT_LE((fromCorner(dialog, IDCANCEL) - closeFromCorner).manhattanLength(), 2);
    expectRoom(dialog, "Working, enlarged");
    savePicture(dialog, "working-enlarged");
    view().post([dialog] { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
}

void checkEnlargedWorking(std::deque<Step>& steps) {
    steps.push_back([] {
        view().post([] { platform::input::chooseMenuItem(mainWindow(), ID_OPTIONS_SHOW_WORKING); });
    });
    steps.push_back([] {
        checkWhenShownKeepingIt([](HWND dialog) {
            QWidget* frame = view().widgetOf(dialog);
            QSize wanted = frame->size() * 3 / 2;
            // On a desktop, all of it on the screen, for its picture.
            if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                const QRect area = frame->screen()->availableGeometry();
                wanted = wanted.boundedTo(area.size() - QSize(40, 80))
                             .expandedTo(frame->size() + QSize(40, 40));
                frame->move(area.topLeft());
            }
            const QPoint closeFromCorner = fromCorner(dialog, IDCANCEL);
            frame->resize(wanted);
            runNext([=] { waitForEnlargedWorking(dialog, wanted, closeFromCorner, 200); });
        });
    });
    steps.push_back(untilOnlyTheMainWindow);
}

void chooseEachWay(int index) {
    view().post(
        [index] { platform::input::chooseItem(GetDlgItem(mainWindow(), IDC_EACH_WAY), index); });
}

TEST(windows_on_the_desktop, give_every_control_the_room_its_texts_and_frame_need) {
    std::deque<Step> steps;
    // Every number of selections, in each of the three each-way modes: the
    // bet list holds every bet type once, the result lists "Place" too.
    for (int mode = 0; mode < 3; ++mode) {
        steps.push_back([mode] { chooseEachWay(mode); });
        constexpr std::array<int, kRowCount> kCounts{IDC_SELECTIONS_1, IDC_SELECTIONS_2,
                                                     IDC_SELECTIONS_3, IDC_SELECTIONS_4,
                                                     IDC_SELECTIONS_5, IDC_SELECTIONS_6};
        for (int count = 1; count <= kRowCount; ++count) {
            const int radio = kCounts[static_cast<std::size_t>(count - 1)];
            steps.push_back([radio] {
                view().post([radio] { platform::input::click(GetDlgItem(mainWindow(), radio)); });
            });
            steps.push_back([mode, count] {
                expectRoom(mainWindow(), "main window, mode " + std::to_string(mode) + ", " +
                                             std::to_string(count) + " selections");
            });
        }
    }
    steps.push_back(
        [] { view().post([] { platform::input::click(GetDlgItem(mainWindow(), IDC_SETTLE)); }); });
    steps.push_back([] {
        expectFrame(mainWindow(), "main window");
        savePicture(mainWindow(), "main-window");
    });
    checkDialog(steps, ID_OPTIONS_PREFERENCES, [](HWND dialog) {
        expectRoom(dialog, "Preferences");
        expectFrame(dialog, "Preferences");
        savePicture(dialog, "preferences");
    });
    checkDialog(steps, ID_OPTIONS_PLACE_ODDS, [](HWND dialog) {
        // The terms shown for every field size.
        const HWND runners = GetDlgItem(dialog, IDC_PLACE_ODDS_RUNNERS);
        const auto sizes = static_cast<int>(SendMessageA(runners, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < sizes; ++i) {
            SendMessageA(runners, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            SendMessageA(dialog, WM_COMMAND, IDC_PLACE_ODDS_TELL_ME, 0);
            expectRoom(dialog, "Place Odds, field size " + std::to_string(i));
        }
        expectFrame(dialog, "Place Odds");
        savePicture(dialog, "place-odds");
    });
    checkDialog(steps, ID_HELP_ABOUT, [](HWND dialog) {
        expectRoom(dialog, "About");
        expectFrame(dialog, "About");
        savePicture(dialog, "about");
    });
    checkDialog(steps, ID_OPTIONS_SHOW_WORKING, [](HWND dialog) {
        expectRoom(dialog, "Working");
        expectFrame(dialog, "Working");
        savePicture(dialog, "working");
    });
    checkEnlargedWorking(steps);
    runProgram(std::move(steps));
}

}  // namespace
}  // namespace quorvel::testing
