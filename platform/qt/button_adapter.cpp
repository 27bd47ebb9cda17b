// Push buttons, check boxes, radio buttons and group boxes.

#include <QCheckBox>
#include <QRadioButton>

#include "platform/core/input.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

bool isCheckBox(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

QWidget* create(QtView& view, const Window& w, QWidget* parent) {
    const DWORD type = w.type();
    if (type == BS_GROUPBOX) {
        auto* group = new GroupBoxWidget(parent);
        group->lower();  // under the controls it holds
        return group;
    }
    QAbstractButton* button = nullptr;
    if (isCheckBox(type)) {
        auto* box = new CheckBoxWidget(parent);
        box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
        if ((w.style & BS_LEFTTEXT) != 0) {
            box->setLayoutDirection(Qt::RightToLeft);
        }
        button = box;
    } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        auto* radio = new RadioButtonWidget(parent);
        radio->setAutoExclusive(false);  // the core clears the group
        button = radio;
    } else {
        auto* push = new PushButtonWidget(parent);
        push->setAutoDefault(false);
        button = push;
    }
    const HWND handle = w.handle;
    QObject::connect(button, &QAbstractButton::clicked, &view,
                     [&view, handle] { view.postFor(handle, [handle] { input::click(handle); }); });
    return button;
}

void apply(QtView& view, QWidget* widget, const Window& w, Change what) {
    switch (what) {
        case Change::Text:
            if (auto* group = dynamic_cast<GroupBoxWidget*>(widget)) {
                group->setTitle(decoded(w.text));
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(decoded(w.text));
                view.layOut(w.handle);  // a check box's text sizes it
            }
            break;
        case Change::Check:
            if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                box->setCheckState(w.check == BST_CHECKED         ? Qt::Checked
                                   : w.check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                                  : Qt::Unchecked);
            } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
                radio->setChecked(w.check == BST_CHECKED);
            }
            break;
        case Change::Pushed:
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setDown(w.pushed);
            }
            break;
        case Change::Style:
            if (qobject_cast<QPushButton*>(widget) != nullptr) {
                view.updateDefaultButtons(w.parent);
            }
            break;
        default:
            break;
    }
}

// A check box or radio button as tall as its box and text need: the
// template's rectangles were made for a smaller font and box.
QRect layOut(const QtView&, QWidget* widget, const Window& w, QRect at) {
    const DWORD type = w.type();
    if (isCheckBox(type) || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        return tallEnough(at, widget->sizeHint().height());
    }
    return at;
}

}  // namespace

const ControlAdapter kButtonAdapter{ControlKind::Button, create, apply, layOut};

}  // namespace quorvel::platform::qt
