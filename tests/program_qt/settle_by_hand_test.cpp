// The real program, offscreen, settling a slip as a person would: the mouse
// for buttons and lists, the keyboard for the stake, the list choices and
// "Settle", then the menu to leave.

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "platform/core/input.h"
#include "platform/qt/qt_view.h"
#include "resources/resource.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

using platform::qt::QtView;

class ByHand {
  public:
    explicit ByHand(QtView& view) : view_(view) {}

    // Steps run one by one, each when the program has handled the input of
    // the one before.
    void then(std::function<void()> step) { steps_.push_back(std::move(step)); }
    void start() { next(); }

    HWND main() const { return platform::topLevelWindows().front(); }
    QWidget* widget(int id) const { return view_.widgetOf(GetDlgItem(main(), id)); }
    std::string text(int id) const {
        char buffer[64] = {};
        GetDlgItemTextA(main(), id, buffer, sizeof buffer);
        return buffer;
    }

    void click(int id) { QTest::mouseClick(widget(id), Qt::LeftButton); }

    // Opens a list with the mouse, then picks the item with the mouse.
    void pickWithMouse(int id, const QString& item) {
        auto* list = qobject_cast<QComboBox*>(widget(id));
        QTest::mouseClick(list, Qt::LeftButton);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect at = list->view()->visualRect(list->model()->index(list->findText(item), 0));
        QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, at.center());
    }

    // Opens a list with the mouse, then walks to the item with the arrow
    // keys and takes it with Enter.
    void pickWithKeys(int id, int steps) {
        auto* list = qobject_cast<QComboBox*>(widget(id));
        QTest::mouseClick(list, Qt::LeftButton);
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(list->view(), Qt::Key_Down);
        }
        QTest::keyClick(list->view(), Qt::Key_Return);
    }

    // Keys go to the widget of the control with the focus.
    QWidget* focused() const {
        QWidget* target = view_.widgetOf(GetFocus());
        return target != nullptr ? target : view_.widgetOf(main());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), key, modifiers);
    }

  private:
    void next() {
        if (steps_.empty()) {
            return;
        }
        QTimer::singleShot(0, &view_, [this] {
            const std::function<void()> step = std::move(steps_.front());
            steps_.pop_front();
            step();
            next();
        });
    }

    QtView& view_;
    std::deque<std::function<void()>> steps_;
};

QtView* theView = nullptr;

TEST(program_on_the_desktop, settles_a_lucky_15_entered_by_mouse_and_keyboard) {
    QtView& view = *theView;
    ByHand user(view);
    std::string totalStake, returns;
    QString shownReturns;
    user.then([&] { user.click(IDC_SELECTIONS_4); });
    user.then([&] { user.pickWithKeys(IDC_EACH_WAY, 1); });  // "E/D"
    user.then([&] { user.pickWithMouse(IDC_BET, QStringLiteral("Lucky 15")); });
    user.then([&] { user.click(IDC_STAKE); });
    user.then([&] { QTest::keyClicks(user.focused(), "10"); });
    user.then([&] { user.pickWithMouse(kSelectionRows[0].result, QStringLiteral("Won")); });
    for (int row = 1; row < 4; ++row) {
        user.then([&, row] { user.pickWithKeys(kSelectionRows[row].result, 1); });  // "Won"
    }
    user.then([&] { user.key(Qt::Key_Return); });  // Enter presses "Settle"
    user.then([&] {
        totalStake = user.text(IDC_TOTAL_STAKE);
        returns = user.text(IDC_RETURNS);
        shownReturns = qobject_cast<QLineEdit*>(user.widget(IDC_RETURNS))->text();
        view.widgetOf(user.main())
            ->grab()
            .save(QDir(QUORVEL_SCREENSHOT_DIR).filePath("main-window.png"));
    });
    user.then([&] { user.key(Qt::Key_O, Qt::AltModifier); });  // "&Options"
    user.then([&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QTest::keyClick(menu, Qt::Key_X);  // "E&xit"
    });
    user.start();
    // Should a step fail to end the program, the close box does.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &view, [&view] {
        ADD_FAILURE() << "the program was still running after 30 s";
        view.post([] {
            for (HWND window : platform::topLevelWindows()) {
                platform::input::clickCloseBox(window);
            }
        });
    });
    watchdog.start(30000);

    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT), 0);
    EXPECT_EQ(totalStake,
              "\xA3"
              "3.27");
    EXPECT_EQ(returns,
              "\xA3"
              "9.83");
    EXPECT_EQ(shownReturns, QString::fromUtf8("\u00A39.83"));
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
    quorvel::testing::theView = &view;
    return RUN_ALL_TESTS();
}
