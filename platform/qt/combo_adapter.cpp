// Drop-down lists.

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "platform/core/input.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

QWidget* create(QtView& view, const Window& w, QWidget* parent) {
    auto* list = new ComboBoxWidget(parent);
    const HWND handle = w.handle;
    list->opened = [&view, handle] { view.post([handle] { input::openList(handle); }); };
    // The list closes before it says which item was chosen: a choice comes in
    // the same turn of the event loop, a cancel does not.
    auto choice = std::make_shared<int>(-2);
    list->closed = [&view, handle, choice] {
        *choice = -1;
        QTimer::singleShot(0, &view, [&view, handle, choice] {
            const int index = *choice;
            *choice = -2;
            if (index != -2) {
                view.postFor(handle, [handle, index] { input::closeList(handle, index); });
            }
        });
    };
    QObject::connect(list, &QComboBox::activated, &view, [choice](int index) {
        if (*choice != -2) {
            *choice = index;
        }
    });
    return list;
}

// The current item, selected in the list that drops down too: a screen
// reader told of the change reads the new item there, not the one the list
// showed when it was last open. The item is its list's current one only
// while the list has the focus or is open: the current item reports the
// focus, and a screen reader would follow it into a list refilled while the
// focus is on another control.
void showCurrent(QComboBox* list, int current) {
    QAbstractItemView* items = list->view();
    QItemSelectionModel* selection = items->selectionModel();
    const QModelIndex index = list->model()->index(current, list->modelColumn());
    if (!index.isValid()) {
        selection->clear();
    } else if (items->isVisible() || list->hasFocus()) {
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    } else {
        selection->clearCurrentIndex();
        selection->select(index, QItemSelectionModel::ClearAndSelect);
    }
    list->setCurrentIndex(current);
}

// The items as the list shows them, when they differ from the core's.
bool sameItems(const QComboBox& list, const std::vector<std::string>& items) {
    if (list.count() != static_cast<int>(items.size())) {
        return false;
    }
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i) != decoded(items[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    return true;
}

// A list refilled with the items it already has (the program clears and
// fills its lists again on every new slip) keeps them: only the current item
// changes. New items go in at once, unseen until all are there.
void showItems(QtView& view, ComboBoxWidget* list, const Window& w) {
    if (!sameItems(*list, w.items)) {
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(w.items.size()));
        for (const std::string& item : w.items) {
            texts.append(decoded(item));
        }
        list->setUpdatesEnabled(false);
        {
            const QSignalBlocker quiet(list);
            list->clear();
            list->addItems(texts);
        }
        list->setUpdatesEnabled(true);
        // The rows' height sizes the dropped list; the widest item, the font.
        view.layOut(w.handle);
    }
    showCurrent(list, w.current);
}

void apply(QtView& view, QWidget* widget, const Window& w, Change what) {
    auto* list = static_cast<ComboBoxWidget*>(widget);
    switch (what) {
        case Change::Items:
            showItems(view, list, w);
            break;
        case Change::CurrentItem:
            showCurrent(list, w.current);
            break;
        case Change::Dropped:
            if (w.dropped != list->view()->isVisible()) {
                list->showListFromCore(w.dropped);
            }
            break;
        default:
            break;
    }
}

// The font of the dialog, narrowed where an item would not fit in the field
// the style leaves beside the arrow.
void fitItems(QComboBox* list, QSize size) {
    const QFont font = list->parentWidget()->font();
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.rect = QRect(QPoint(0, 0), size);
    option.frame = true;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->itemText(i));
    }
    const QFont fitted = fittingFont(font, texts, field.width());
    if (fitted != list->font()) {
        list->setFont(fitted);
    }
}

// The template's height includes the dropped-down list: the box is as tall
// as the style makes it, the list as many rows as fit in the rest.
QRect layOut(const QtView&, QWidget* widget, const Window&, QRect at) {
    auto* list = static_cast<QComboBox*>(widget);
    fitItems(list, QSize(at.width(), std::min(list->sizeHint().height(), at.height())));
    const int closed = std::min(list->sizeHint().height(), std::max(at.height(), 1));
    const int row = list->count() > 0 ? std::max(1, list->view()->sizeHintForRow(0))
                                      : list->fontMetrics().height() + 2;
    list->setMaxVisibleItems(std::max(1, (at.height() - closed) / row));
    at.setHeight(closed);
    return at;
}

}  // namespace

const ControlAdapter kComboAdapter{ControlKind::ComboBox, create, apply, layOut};

}  // namespace quorvel::platform::qt
