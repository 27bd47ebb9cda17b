#pragma once

// What screen readers, voice control and switch access see of the view's
// windows and controls, and what they may do with them. An action never
// changes a widget: it goes to the core as the user input it stands for (a
// press or a toggle is a click, moving the focus is the dialog manager's
// move, text put in is typed), or is refused when the control takes no input.

#include <QList>
#include <QString>
#include <functional>

#include "platform/win32.h"

class QObject;
class QWidget;

namespace quorvel::platform::qt {

struct AssistiveInput {
    std::function<HWND(const QObject*)> handleOf;  // the window a widget shows, exactly
    std::function<void(HWND)> click;
    std::function<void(HWND)> focus;
    // Text put into an edit box: typed over characters [from, to).
    std::function<void(HWND, int from, int to, const QString& text)> typeOver;
    std::function<QList<QObject*>(HWND)> labelsOf;  // the widgets of the control's labels
    std::function<QList<QObject*>(HWND)> labelFor;  // the widgets of the controls a label names
};

// Interfaces for the widgets input.handleOf knows; an empty input uninstalls.
void installAccessibleInterfaces(AssistiveInput input);

// Tells screen readers text about the window that shows widget, as a
// notification of that window: it is said without moving the focus.
void announce(QWidget* widget, const QString& text);

}  // namespace quorvel::platform::qt
