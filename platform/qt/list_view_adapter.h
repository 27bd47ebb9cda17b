#pragma once

// A list view in report view, shown as a QTreeWidget without branches: a
// header with the core's columns, a row per core row, the core's selected
// and focused row. A click on a row goes back as input; the widget never
// changes its own selection.

#include <QWidget>
#include <functional>

#include "platform/core/view.h"

namespace quorvel::platform::qt {

// clicked gets the row under the mouse, or -1 below the rows.
QWidget* makeListView(QWidget* parent, std::function<void(int row)> clicked);

// Shows a change of a list view's columns, rows or row state; anything else
// is not the list's to show.
void showListView(QWidget* widget, const Window& w, Change what);

}  // namespace quorvel::platform::qt
