// A list view in report view, shown as a QTreeWidget without branches: a
// header with the core's columns, a row per core row, the core's selected
// and focused row. A click on a row goes back as input; the widget never
// changes its own selection.

#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <QTimer>
#include <QTreeWidget>

#include "platform/core/input.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"

namespace quorvel::platform::qt {
namespace {

constexpr const char* kRowsPending = "quorvelRowsPending";

// The selected row in the desktop's highlight while the list has the focus,
// in the face colour otherwise, as the platform shows a selection kept without it.
void showFocus(QTreeWidget* tree, bool focused) {
    QPalette palette =
        tree->parentWidget() != nullptr ? tree->parentWidget()->palette() : tree->palette();
    if (!focused) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, palette.color(group, QPalette::Button));
            palette.setColor(group, QPalette::HighlightedText,
                             palette.color(group, QPalette::Text));
        }
    }
    tree->setPalette(palette);
}

// Takes the mouse's presses on the rows and hands them to the core, and shows
// where the focus is.
class RowClicks final : public QObject {
  public:
    RowClicks(QTreeWidget* tree, std::function<void(int)> clicked)
        : QObject(tree), tree_(tree), clicked_(std::move(clicked)) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            showFocus(tree_, event->type() == QEvent::FocusIn);
            return false;
        }
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex index = tree_->indexAt(mouse->position().toPoint());
            clicked_(index.isValid() ? index.row() : -1);
        }
        return true;
    }

  private:
    QTreeWidget* tree_;
    std::function<void(int)> clicked_;
};

void showColumns(QTreeWidget* tree, const Window& w) {
    QStringList headers;
    for (const ListColumn& column : w.columns) {
        headers << decoded(column.text);
    }
    tree->setColumnCount(static_cast<int>(w.columns.size()));
    tree->setHeaderLabels(headers);
    QHeaderView* header = tree->header();
    for (int i = 0; i < static_cast<int>(w.columns.size()); ++i) {
        const ListColumn& column = w.columns[static_cast<std::size_t>(i)];
        tree->headerItem()->setTextAlignment(
            i, (column.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        // A width the core leaves to the view fits the texts and the header.
        if (column.width < 0) {
            header->setSectionResizeMode(i, QHeaderView::ResizeToContents);
        } else {
            header->setSectionResizeMode(i, QHeaderView::Interactive);
            header->resizeSection(i, column.width);
        }
    }
}

void showRows(QTreeWidget* tree, const Window& w) {
    const int columns = static_cast<int>(w.columns.size());
    while (tree->topLevelItemCount() > static_cast<int>(w.rows.size())) {
        delete tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
    }
    for (std::size_t r = 0; r < w.rows.size(); ++r) {
        QTreeWidgetItem* item = tree->topLevelItem(static_cast<int>(r));
        if (item == nullptr) {
            item = new QTreeWidgetItem(tree);
        }
        const auto& cells = w.rows[r].cells;
        for (int c = 0; c < std::max(columns, 1); ++c) {
            const auto at = static_cast<std::size_t>(c);
            item->setText(c, at < cells.size() ? decoded(cells[at]) : QString());
            const bool right = at < w.columns.size() && w.columns[at].alignRight;
            item->setTextAlignment(c, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        }
    }
}

void showRowState(QTreeWidget* tree, const Window& w) {
    for (std::size_t r = 0; r < w.rows.size(); ++r) {
        QTreeWidgetItem* item = tree->topLevelItem(static_cast<int>(r));
        if (item == nullptr) {
            continue;
        }
        item->setSelected((w.rows[r].state & LVIS_SELECTED) != 0);
        if ((w.rows[r].state & LVIS_FOCUSED) != 0) {
            tree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
            tree->scrollToItem(item);
        }
    }
}

QWidget* create(QtView& view, const Window& w, QWidget* parent) {
    auto clicked = [&view, handle = w.handle](int row) {
        view.postFor(handle, [handle, row] { input::clickListRow(handle, row); });
    };
    auto* tree = new QTreeWidget(parent);
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);
    tree->setAllColumnsShowFocus(true);
    tree->setSortingEnabled(false);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->header()->setSectionsMovable(false);
    tree->header()->setSectionsClickable(false);
    tree->header()->setStretchLastSection(false);
    auto* filter = new RowClicks(tree, std::move(clicked));
    tree->viewport()->installEventFilter(filter);
    tree->installEventFilter(filter);
    showFocus(tree, false);
    return tree;
}

void apply(QtView&, QWidget* widget, const Window& w, Change what) {
    auto* tree = qobject_cast<QTreeWidget*>(widget);
    if (tree == nullptr ||
        (what != Change::Columns && what != Change::Rows && what != Change::RowState)) {
        return;
    }
    if (what == Change::Columns) {
        showColumns(tree, w);
    }
    // A dialog fills its list a text at a time: the rows are shown once the
    // core is done, when the event loop next runs.
    if (tree->property(kRowsPending).toBool()) {
        return;
    }
    tree->setProperty(kRowsPending, true);
    QTimer::singleShot(0, tree, [tree, handle = w.handle] {
        tree->setProperty(kRowsPending, false);
        if (const Window* shown = findWindow(handle); shown != nullptr) {
            showRows(tree, *shown);
            showRowState(tree, *shown);
        }
    });
}

}  // namespace

const ControlAdapter kListViewAdapter{ControlKind::ListView, create, apply, nullptr};

}  // namespace quorvel::platform::qt
