#pragma once

// How the Qt view shows one kind of control: a small table of free functions,
// one table per kind in its own file (button_adapter.cpp, edit_adapter.cpp,
// combo_adapter.cpp, static_adapter.cpp, up_down_adapter.cpp,
// list_view_adapter.cpp), registered in
// adapterFor() (adapters.cpp). The view does what every control shares
// (enabled, visible, focus, names, geometry from the template) and hands the
// rest to the control's adapter.

#include <QIcon>
#include <QRect>
#include <QString>
#include <string>

#include "platform/core/view.h"

class QWidget;

namespace quorvel::platform::qt {

class QtView;

struct ControlAdapter {
    ControlKind kind;
    // Makes the widget, wiring what the user does to it into view.post();
    // the view then applies every change to it.
    QWidget* (*create)(QtView& view, const Window& w, QWidget* parent);
    // Shows one change of the core's control (Text, Items, Check...); the view
    // has already handled Enabled, Visible and Geometry.
    void (*apply)(QtView& view, QWidget* widget, const Window& w, Change what);
    // The widget's rectangle from the template's, in pixels; nullptr keeps it.
    QRect (*layOut)(const QtView& view, QWidget* widget, const Window& w, QRect at);
};

// The adapter for a control's kind; nullptr for a top-level window.
const ControlAdapter* adapterFor(const Window& w);

extern const ControlAdapter kButtonAdapter;
extern const ControlAdapter kEditAdapter;
extern const ControlAdapter kComboAdapter;
extern const ControlAdapter kStaticAdapter;
extern const ControlAdapter kUpDownAdapter;
extern const ControlAdapter kListViewAdapter;

// Helpers the adapters share.
QString decoded(const std::string& text);  // Windows-1252 to Qt
QIcon iconFrom(const std::string& icoBytes);
bool hasBorder(const Window& w);
// The template rectangle of a window in pixels, at its dialog's font.
QRect pixelsOf(const QtView& view, const Window& w);

// A rectangle at least height tall, grown evenly about its middle: a control
// that needs more room than its template gives keeps its centre line, as the
// platform centres a button's text and an edit box's line in its rectangle.
QRect tallEnough(QRect at, int height);

// Edit boxes: text put in by an assistive tool, typed over [from, to).
void typeOver(QtView& view, HWND edit, int from, int to, const QString& text);

}  // namespace quorvel::platform::qt
