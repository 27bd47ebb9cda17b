#include "tests/platform_qt/qt_test_support.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

namespace quorvel::testing {
using namespace platform;
using namespace platform::qt;
namespace {
QtView* installed = nullptr;  // main()'s
}  // namespace

QtView& view() {
    return *installed;
}

std::vector<Command>& commands() {
    static std::vector<Command> seen;
    return seen;
}

Codes codesFrom(int id) {
    Codes codes;
    for (const Command& c : commands()) {
        if (c.id == id) {
            codes.push_back(c.code);
        }
    }
    return codes;
}

void pump() {
    MSG message{};
    for (int round = 0, quiet = 0; round < 100000 && quiet < 2; ++round) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            quiet = 0;
            if (!IsDialogMessageA(activeWindow(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else if (view().idle()) {
            ++quiet;
        }
    }
}

void whenIdle(std::function<void()> step) {
    QTimer::singleShot(0, &view(), std::move(step));
}

INT_PTR CALLBACK testDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG && GetDlgItem(dialog, IDC_COUNT) != nullptr) {
        CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT,
                            50, 50, 10, 10, dialog, IDC_COUNT_ARROWS, GetModuleHandleA(nullptr),
                            GetDlgItem(dialog, IDC_COUNT), 5, 0, 3);
        for (const char* fruit : {"Apple", "Banana", "Cherry", "Damson"}) {
            SendDlgItemMessageA(dialog, IDC_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
        }
        SendDlgItemMessageA(dialog, IDC_LIST, CB_SETCURSEL, 0, 0);
    }
    if (message == WM_HELP) {  // recorded as the message, with the control F1 was pressed in
        commands().push_back(Command{WM_HELP, reinterpret_cast<const HELPINFO*>(lParam)->iCtrlId});
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return message == WM_INITDIALOG;
    }
    const int id = LOWORD(wParam);
    commands().push_back(Command{id, HIWORD(wParam)});
    if (GetDlgItem(dialog, IDC_MODAL_NOTE) != nullptr && (id == IDOK || id == IDCANCEL)) {
        EndDialog(dialog, id);
    } else if (id == IDC_APPLY) {
        const int answer =
            MessageBoxA(dialog, "Careful with \xA3 signs", nullptr, MB_OK | MB_ICONWARNING);
        commands().push_back(Command{0, answer});
    }
    return TRUE;
}

HWND showDialog(int templateId) {
    const HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                           nullptr, testDialogProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    pump();
    commands().clear();
    return dialog;
}

void saveScreenshot(HWND window, const char* name) {
    EXPECT_TRUE(view().widgetOf(window)->grab().save(QDir(QUORVEL_SCREENSHOT_DIR).filePath(name)));
}

void ControlsDialog::SetUp() {
    dialog = showDialog(IDD_QT_CONTROLS);
    ASSERT_NE(dialog, nullptr);
}

void ControlsDialog::TearDown() {
    DestroyWindow(dialog);
    pump();
    commands().clear();
}

std::string ControlsDialog::textOf(int id) const {
    char buffer[256] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

void ControlsDialog::click(int id) {
    QTest::mouseClick(view().widgetOf(item(id)), Qt::LeftButton);
    pump();
}

void ControlsDialog::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : view().widgetOf(dialog), key, modifiers);
    pump();
}

void ControlsDialog::type(const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    pump();
}

}  // namespace quorvel::testing

int main(int argc, char** argv) {
    // Offscreen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::platform::qt::QtView view;
    quorvel::testing::installed = &view;
    return RUN_ALL_TESTS();
}
