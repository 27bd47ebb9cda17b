// The message box, as Qt's, with the platform's answers.

#include <QMessageBox>
#include <vector>

#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"

namespace quorvel::platform::qt {

int QtView::messageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    showItems(nullptr);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            icon = QMessageBox::Critical;
            break;
        case MB_ICONQUESTION:
            icon = QMessageBox::Question;
            break;
        case MB_ICONWARNING:
            icon = QMessageBox::Warning;
            break;
        case MB_ICONINFORMATION:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    struct Answer {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<Answer> answers;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            answers = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNOCANCEL:
            answers = {{QMessageBox::Yes, IDYES},
                       {QMessageBox::No, IDNO},
                       {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO:
            answers = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        default:
            answers = {{QMessageBox::Ok, IDOK}};
            break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Answer& a : answers) {
        buttons |= a.button;
    }
    QWidget* parent = widgetOf(owner);
    QMessageBox box(icon, decoded(caption), decoded(text), buttons, parent);
    if (parent != nullptr) {
        box.setWindowModality(Qt::WindowModal);
    }
    const int pressed = box.exec();
    for (const Answer& a : answers) {
        if (pressed == a.button) {
            return a.id;
        }
    }
    // Closed without a button: the platform answers Cancel, or OK when that
    // is the only button.
    return answers.size() == 1 ? answers.front().id : IDCANCEL;
}

}  // namespace quorvel::platform::qt
