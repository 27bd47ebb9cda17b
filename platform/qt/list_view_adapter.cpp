// A list view in report view, shown as a table of rows: a header with the
// core's columns, a row per core row, the core's selected and focused row. A
// table (not a tree without branches) so that a screen reader hears a table,
// and a row with its position and each cell with its column's heading. A
// click on a row goes back as input; the widget never changes its own
// selection.

#include <QAccessible>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <QTableWidget>
#include <QTimer>

#include "platform/core/input.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"

namespace quorvel::platform::qt {
namespace {

constexpr const char* kRowsPending = "quorvelRowsPending";

// The selected row in the desktop's highlight while the list has the focus,
// in the face colour otherwise, as the platform shows a selection kept without it.
void showFocus(QTableWidget* table, bool focused) {
    QPalette palette =
        table->parentWidget() != nullptr ? table->parentWidget()->palette() : table->palette();
    if (!focused) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, palette.color(group, QPalette::Button));
            palette.setColor(group, QPalette::HighlightedText,
                             palette.color(group, QPalette::Text));
        }
    }
    table->setPalette(palette);
}

// Tells screen readers the focus is on the current row's cell, as the table
// does when the row changes, so that the row is read on entering the table
// too, not only the table's name.
void tellCurrentCell(QTableWidget* table) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    QAccessibleTableInterface* cells =
        accessible != nullptr ? accessible->tableInterface() : nullptr;
    const QModelIndex current = table->currentIndex();
    if (!table->hasFocus() || !current.isValid() || cells == nullptr) {
        return;
    }
    QAccessibleInterface* cell = cells->cellAt(current.row(), current.column());
    if (cell == nullptr) {
        return;
    }
    QAccessibleEvent focus(table, QAccessible::Focus);
    focus.setChild(accessible->indexOfChild(cell));
    QAccessible::updateAccessibility(&focus);
}

// Takes the mouse's presses on the rows and hands them to the core, and shows
// where the focus is.
class RowClicks final : public QObject {
  public:
    RowClicks(QTableWidget* table, std::function<void(int)> clicked)
        : QObject(table), table_(table), clicked_(std::move(clicked)) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            showFocus(table_, event->type() == QEvent::FocusIn);
            if (event->type() == QEvent::FocusIn) {
                QTimer::singleShot(0, table_, [table = table_] { tellCurrentCell(table); });
            }
            return false;
        }
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex index = table_->indexAt(mouse->position().toPoint());
            clicked_(index.isValid() ? index.row() : -1);
        }
        return true;
    }

  private:
    QTableWidget* table_;
    std::function<void(int)> clicked_;
};

void showColumns(QTableWidget* table, const Window& w) {
    QStringList headers;
    for (const ListColumn& column : w.columns) {
        headers << decoded(column.text);
    }
    table->setColumnCount(static_cast<int>(w.columns.size()));
    table->setHorizontalHeaderLabels(headers);
    QHeaderView* header = table->horizontalHeader();
    for (int i = 0; i < static_cast<int>(w.columns.size()); ++i) {
        const ListColumn& column = w.columns[static_cast<std::size_t>(i)];
        table->horizontalHeaderItem(i)->setTextAlignment(
            (column.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        // A width the core leaves to the view fits the texts and the header.
        if (column.width < 0) {
            header->setSectionResizeMode(i, QHeaderView::ResizeToContents);
        } else {
            header->setSectionResizeMode(i, QHeaderView::Interactive);
            header->resizeSection(i, column.width);
        }
    }
    // A last column fitted to its header also fills what is left of the table's width, as it
    // does on Windows, and goes on filling it as the table is sized.
    header->setStretchLastSection(!w.columns.empty() &&
                                  w.columns.back().width == LVSCW_AUTOSIZE_USEHEADER);
}

// What a screen reader says of a cell. Reading a row, it says the cells' texts
// alone, so each cell says its column's heading, and the last also the row's
// place in the table: "Line 2", "Kind single", ..., "Total £0.40, 2 of 6".
QString spokenCell(const Window& w, std::size_t row, int column, const QString& text) {
    const auto at = static_cast<std::size_t>(column);
    QString spoken = text;
    if (at < w.columns.size() && !text.isEmpty()) {
        spoken = decoded(w.columns[at].text) + ' ' + text;
    }
    if (at + 1 >= w.columns.size()) {
        spoken += (spoken.isEmpty() ? QString() : QStringLiteral(", ")) +
                  QStringLiteral("%1 of %2").arg(row + 1).arg(w.rows.size());
    }
    return spoken;
}

void showRows(QTableWidget* table, const Window& w) {
    // A list without columns still shows its items' texts.
    const int columns = std::max(static_cast<int>(w.columns.size()), 1);
    table->setColumnCount(std::max(table->columnCount(), columns));
    table->setRowCount(static_cast<int>(w.rows.size()));
    for (std::size_t r = 0; r < w.rows.size(); ++r) {
        const auto& cells = w.rows[r].cells;
        for (int c = 0; c < columns; ++c) {
            const auto at = static_cast<std::size_t>(c);
            QTableWidgetItem* item = table->item(static_cast<int>(r), c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                table->setItem(static_cast<int>(r), c, item);
            }
            const QString text = at < cells.size() ? decoded(cells[at]) : QString();
            item->setText(text);
            item->setData(Qt::AccessibleTextRole, spokenCell(w, r, c, text));
            const bool right = at < w.columns.size() && w.columns[at].alignRight;
            item->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        }
    }
}

void showRowState(QTableWidget* table, const Window& w) {
    QItemSelectionModel* selection = table->selectionModel();
    const int column = std::max(table->currentColumn(), 0);
    for (std::size_t r = 0; r < w.rows.size() && table->columnCount() > 0; ++r) {
        const QModelIndex index = table->model()->index(static_cast<int>(r), column);
        const bool selected = (w.rows[r].state & LVIS_SELECTED) != 0;
        if (selected != selection->isRowSelected(index.row())) {
            selection->select(
                index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                           QItemSelectionModel::Rows);
        }
        if ((w.rows[r].state & LVIS_FOCUSED) != 0) {
            selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            table->scrollTo(index);
        }
    }
}

QWidget* create(QtView& view, const Window& w, QWidget* parent) {
    auto clicked = [&view, handle = w.handle](int row) {
        view.postFor(handle, [handle, row] { input::clickListRow(handle, row); });
    };
    auto* table = new QTableWidget(parent);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setCornerButtonEnabled(false);
    table->setTabKeyNavigation(false);
    table->setSortingEnabled(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionsMovable(false);
    table->horizontalHeader()->setSectionsClickable(false);
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setHighlightSections(false);
    auto* filter = new RowClicks(table, std::move(clicked));
    table->viewport()->installEventFilter(filter);
    table->installEventFilter(filter);
    showFocus(table, false);
    return table;
}

void apply(QtView&, QWidget* widget, const Window& w, Change what) {
    auto* table = qobject_cast<QTableWidget*>(widget);
    if (table == nullptr ||
        (what != Change::Columns && what != Change::Rows && what != Change::RowState)) {
        return;
    }
    if (what == Change::Columns) {
        showColumns(table, w);
    }
    // A dialog fills its list a text at a time: the rows are shown once the
    // core is done, when the event loop next runs.
    if (table->property(kRowsPending).toBool()) {
        return;
    }
    table->setProperty(kRowsPending, true);
    QTimer::singleShot(0, table, [table, handle = w.handle] {
        table->setProperty(kRowsPending, false);
        if (const Window* shown = findWindow(handle); shown != nullptr) {
            showRows(table, *shown);
            showRowState(table, *shown);
        }
    });
}

}  // namespace

const ControlAdapter kListViewAdapter{ControlKind::ListView, create, apply, nullptr};

}  // namespace quorvel::platform::qt
