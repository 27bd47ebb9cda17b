#include "platform/qt/qt_view.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QIcon>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/core/code_page.h"
#include "platform/core/input.h"
#include "platform/core/resource_script.h"
#include "platform/qt/accessible.h"
#include "platform/qt/accessible_names.h"
#include "platform/qt/list_view_adapter.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

constexpr DWORD kButtonCheckBox = 0x2;
constexpr DWORD kButtonRadio = 0x4;
constexpr DWORD kButton3State = 0x5;
constexpr DWORD kButtonAuto3State = 0x6;
constexpr DWORD kStaticRight = 0x2;
constexpr UINT kMessageBoxButtons = 0x0F;
constexpr UINT kMessageBoxIcons = 0xF0;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kWheelStep = 120;  // one notch of a mouse wheel

QString decoded(const std::string& text) {
    return QString::fromStdString(utf8FromWindows1252(text));
}

HWND topLevelOf(HWND window) {
    const Window* w = findWindow(window);
    while (w != nullptr && w->isChild() && findWindow(w->parent) != nullptr) {
        w = findWindow(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

QIcon iconFrom(const std::string& bytes) {
    QIcon icon;
    if (bytes.empty()) {
        return icon;
    }
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    for (int i = 0; i < std::max(1, reader.imageCount()); ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        const QImage image = reader.read();
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

// The colour of a class background brush; the platform's button face is the
// desktop's own window colour, so the program follows the desktop's theme.
QColor backgroundOf(HBRUSH brush, const QPalette& palette) {
    if (brush == nullptr) {
        return palette.color(QPalette::Window);
    }
    const COLORREF colour = brushColor(brush);
    if (colour == GetSysColor(COLOR_BTNFACE)) {
        return palette.color(QPalette::Window);
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

bool hasBorder(const Window& w) {
    return (w.style & WS_BORDER) != 0 || (w.exStyle & WS_EX_CLIENTEDGE) != 0;
}

Qt::WindowFlags windowFlagsOf(const Window& w, bool owned) {
    Qt::WindowFlags flags = owned ? Qt::Dialog : Qt::Window;
    if ((w.style & WS_CAPTION) != WS_CAPTION) {
        return flags | Qt::FramelessWindowHint;
    }
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((w.style & WS_SYSMENU) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if ((w.style & WS_MINIMIZEBOX) != 0) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if ((w.style & WS_MAXIMIZEBOX) != 0) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

// A pop-up menu, named for screen readers by its text without the mnemonic.
template <class Parent>
QMenu* addPopup(Parent* parent, const MenuItem& item) {
    QMenu* menu = parent->addMenu(decoded(item.text));
    menu->setAccessibleName(decoded(withoutMnemonics(item.text)));
    return menu;
}

void addMenuItems(QMenu* menu, const std::vector<MenuItem>& items,
                  const std::function<void(int)>& chosen) {
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        if (item.popup) {
            addMenuItems(addPopup(menu, item), item.items, chosen);
            continue;
        }
        QAction* action = menu->addAction(decoded(item.text));
        action->setData(item.id);
        action->setEnabled(!item.grayed);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, menu, [chosen, id] { chosen(id); });
    }
}

}  // namespace

QtView::QtView() {
    QApplication::setQuitOnLastWindowClosed(false);
    setView(this);
    installAccessibleInterfaces({
        .handleOf =
            [this](const QObject* object) {
                const auto found = handles_.find(object);
                return found == handles_.end() ? nullptr : found->second;
            },
        .click = [this](HWND control) { postFor(control, [control] { input::click(control); }); },
        .focus = [this](HWND control) { focusAskedFor(control); },
        .typeOver = [this](HWND edit, int from, int to,
                           const QString& text) { typeOver(edit, from, to, text); },
        .labelsOf =
            [this](HWND control) {
                QList<QObject*> widgets;
                if (const auto found = shown_.find(control); found != shown_.end()) {
                    for (HWND label : found->second.labels) {
                        if (QWidget* widget = widgetOf(label)) {
                            widgets.append(widget);
                        }
                    }
                }
                return widgets;
            },
    });
    setClipboard(clipboard_.get());
}

QtView::~QtView() {
    installAccessibleInterfaces({});
    if (currentView() == this) {
        setView(nullptr);
    }
    if (currentClipboard() == clipboard_.get()) {
        setClipboard(nullptr);
    }
    for (auto& [handle, shown] : shown_) {
        if (shown.frame != nullptr && !shown.widget.isNull()) {
            delete shown.widget.data();
        }
    }
}

QWidget* QtView::widgetOf(HWND window) const {
    const auto found = shown_.find(window);
    return found == shown_.end() ? nullptr : found->second.widget.data();
}

QWidget* QtView::clientOf(HWND window) const {
    const auto found = shown_.find(window);
    return found == shown_.end() || found->second.frame == nullptr || found->second.widget.isNull()
               ? nullptr
               : found->second.frame->client();
}

HWND QtView::handleOf(const QObject* object) const {
    for (; object != nullptr; object = object->parent()) {
        if (const auto found = handles_.find(object); found != handles_.end()) {
            return found->second;
        }
    }
    return nullptr;
}

BaseUnits QtView::baseUnitsOf(HWND window) const {
    const auto found = shown_.find(topLevelOf(window));
    return found == shown_.end() ? BaseUnits{} : found->second.units;
}

void QtView::post(std::function<void()> action) {
    pending_.push_back(std::move(action));
}

void QtView::postFor(HWND window, std::function<void()> action) {
    post([this, window, action = std::move(action)] {
        action();
        if (widgetOf(window) != nullptr) {
            applyAll(window);
        }
        // A closed drop-down list may leave no window active on some
        // desktops.
        keepActive();
    });
}

// Keyboard input belongs to the core's active window: when a window of ours
// went away (a list's popup, a dialog) and left none active, it becomes
// active again. Another program's active window is left alone.
void QtView::keepActive() {
    if (QApplication::activeWindow() == nullptr && QApplication::activePopupWidget() == nullptr) {
        if (QWidget* active = widgetOf(activeWindow()); active != nullptr && active->isVisible()) {
            active->activateWindow();
        }
    }
}

void QtView::afterFirstPaint(std::function<void()> hook) {
    firstPaint_ = std::move(hook);
}

// Creation -----------------------------------------------------------------

void QtView::created(HWND window) {
    const Window* w = findWindow(window);
    if (w == nullptr) {
        return;
    }
    if (w->isChild()) {
        createControl(*w);
    } else {
        createTopLevel(*w);
    }
}

void QtView::createTopLevel(const Window& w) {
    const HWND handle = w.handle;
    QWidget* owner = widgetOf(w.owner);
    const bool framed = (w.style & WS_CAPTION) != WS_CAPTION &&
                        ((w.style & (DS_MODALFRAME | WS_DLGFRAME | WS_BORDER)) != 0 ||
                         (w.exStyle & WS_EX_DLGMODALFRAME) != 0);
    auto* frame = new WindowFrame(owner, windowFlagsOf(w, owner != nullptr), framed ? 2 : 0);
    Shown& shown = shown_[handle];
    shown.widget = frame;
    shown.frame = frame;
    shown.font = dialogFont(w.fontName, w.fontPointSize);
    shown.units = qt::baseUnitsOf(shown.font);
    handles_[frame] = handle;

    QWidget* client = frame->client();
    client->setFont(shown.font);
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, backgroundOf(w.background, palette));
    client->setPalette(palette);
    if (w.menu != nullptr) {
        buildMenu(frame, w);
    }
    if (w.icon != nullptr) {
        frame->setWindowIcon(iconFrom(iconBytes(w.icon)));
    }
    frame->setWindowTitle(decoded(w.text));
    // A dialog made while its owner is disabled is modal: Qt keeps input
    // from the owner as the core does.
    if (const Window* o = findWindow(w.owner); o != nullptr && !o->enabled()) {
        frame->setWindowModality(Qt::WindowModal);
    }
    frame->closeRequested = [this, handle] { post([handle] { input::clickCloseBox(handle); }); };
    frame->installEventFilter(this);
    client->installEventFilter(this);
    layOut(handle);
}

void QtView::buildMenu(WindowFrame* frame, const Window& w) {
    QMenuBar* bar = frame->addMenuBar();
    const HWND handle = w.handle;
    const std::function<void(int)> chosen = [this, handle](int id) {
        post([handle, id] { input::chooseMenuItem(handle, id); });
    };
    for (const MenuItem& item : w.menu->items) {
        if (item.popup) {
            addMenuItems(addPopup(bar, item), item.items, chosen);
        } else if (!item.separator) {
            QAction* action = bar->addAction(decoded(item.text));
            action->setData(item.id);
            action->setEnabled(!item.grayed);
            const int id = item.id;
            connect(action, &QAction::triggered, bar, [chosen, id] { chosen(id); });
        }
    }
}

QWidget* QtView::makeControlWidget(const Window& w, QWidget* parent) {
    const HWND handle = w.handle;
    switch (w.kind) {
        case ControlKind::Button: {
            const DWORD type = w.type();
            if (type == BS_GROUPBOX) {
                return new GroupBoxWidget(parent);
            }
            QAbstractButton* button = nullptr;
            if (type == kButtonCheckBox || type == BS_AUTOCHECKBOX || type == kButton3State ||
                type == kButtonAuto3State) {
                auto* box = new QCheckBox(parent);
                box->setTristate(type == kButton3State || type == kButtonAuto3State);
                if ((w.style & BS_LEFTTEXT) != 0) {
                    box->setLayoutDirection(Qt::RightToLeft);
                }
                button = box;
            } else if (type == kButtonRadio || type == BS_AUTORADIOBUTTON) {
                auto* radio = new QRadioButton(parent);
                radio->setAutoExclusive(false);  // the core clears the group
                button = radio;
            } else {
                auto* push = new PushButtonWidget(parent);
                push->setAutoDefault(false);
                button = push;
            }
            connect(button, &QAbstractButton::clicked, this,
                    [this, handle] { postFor(handle, [handle] { input::click(handle); }); });
            return button;
        }
        case ControlKind::Edit: {
            auto* edit = new EditWidget(parent);
            edit->setContextMenuPolicy(Qt::NoContextMenu);
            edit->setAcceptDrops(false);
            edit->setDragEnabled(false);
            const auto selected = [this, edit, handle] {
                if (syncing_ > 0) {
                    return;
                }
                // A selection made with the mouse: the caret is where the drag ended.
                const int caret = edit->cursorPosition();
                const int start = edit->hasSelectedText() ? edit->selectionStart() : caret;
                const int end = start + static_cast<int>(edit->selectedText().size());
                const int anchor = edit->hasSelectedText() && caret == start ? end : start;
                post([handle, anchor, caret] {
                    SendMessageA(handle, EM_SETSEL, static_cast<WPARAM>(anchor), caret);
                });
            };
            connect(edit, &QLineEdit::selectionChanged, this, selected);
            connect(edit, &QLineEdit::cursorPositionChanged, this, selected);
            return edit;
        }
        case ControlKind::Static: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            return label;
        }
        case ControlKind::ComboBox: {
            auto* list = new ComboBoxWidget(parent);
            list->opened = [this, handle] { post([handle] { input::openList(handle); }); };
            // The list closes before it says which item was chosen: a choice
            // comes in the same turn of the event loop, a cancel does not.
            auto choice = std::make_shared<int>(-2);
            list->closed = [this, handle, choice] {
                *choice = -1;
                QTimer::singleShot(0, this, [this, handle, choice] {
                    const int index = *choice;
                    *choice = -2;
                    if (index != -2) {
                        postFor(handle, [handle, index] { input::closeList(handle, index); });
                    }
                });
            };
            connect(list, &QComboBox::activated, this, [choice](int index) {
                if (*choice != -2) {
                    *choice = index;
                }
            });
            return list;
        }
        case ControlKind::UpDown: {
            auto* arrows = new UpDownWidget(parent);
            arrows->stepped = [this, handle](bool up) {
                postFor(handle, [handle, up] { input::clickUpDown(handle, up); });
            };
            return arrows;
        }
        case ControlKind::ListView:
            return makeListView(parent, [this, handle](int row) {
                postFor(handle, [handle, row] { input::clickListRow(handle, row); });
            });
        case ControlKind::Window:
            break;
    }
    return new QWidget(parent);
}

void QtView::createControl(const Window& w) {
    QWidget* parent = clientOf(w.parent);
    if (parent == nullptr) {
        parent = widgetOf(w.parent);
    }
    if (parent == nullptr) {
        return;
    }
    QWidget* widget = makeControlWidget(w, parent);
    // The core moves the focus; Qt only shows it.
    widget->setFocusPolicy(Qt::NoFocus);
    widget->installEventFilter(this);
    if (w.kind == ControlKind::Button && w.type() == BS_GROUPBOX) {
        widget->lower();
    }
    shown_[w.handle].widget = widget;
    handles_[widget] = w.handle;
    applyAll(w.handle);
}

void QtView::destroyed(HWND window) {
    const auto found = shown_.find(window);
    if (found == shown_.end()) {
        return;
    }
    QWidget* widget = found->second.widget.data();
    shown_.erase(found);
    if (widget != nullptr) {
        handles_.erase(widget);
        widget->removeEventFilter(this);
        widget->hide();
        delete widget;
    }
}

// Edit boxes -------------------------------------------------------------------

namespace {

// The span where two texts differ: [from, from + removed) of the old text
// became [from, from + inserted) of the new.
struct Difference {
    qsizetype from = 0;
    qsizetype removed = 0;
    qsizetype inserted = 0;
};

Difference differenceOf(const QString& before, const QString& after) {
    qsizetype from = 0;
    while (from < before.size() && from < after.size() && before[from] == after[from]) {
        ++from;
    }
    qsizetype tail = 0;
    while (tail < before.size() - from && tail < after.size() - from &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return {from, before.size() - from - tail, after.size() - from - tail};
}

}  // namespace

// Only the part that changed is replaced, so that a screen reader hears one
// character typed as one character, not the whole text again; a read-only
// box announces its new value.
void QtView::showText(QLineEdit* edit, const QString& text, bool readOnly) {
    const QString before = edit->text();
    if (before == text) {
        return;
    }
    const Difference d = differenceOf(before, text);
    edit->setSelection(static_cast<int>(d.from), static_cast<int>(d.removed));
    if (d.inserted > 0) {
        edit->insert(text.mid(d.from, d.inserted));
    } else {
        edit->del();
    }
    if (edit->text() != text) {
        edit->setText(text);  // the widget's limit, should the core's be larger
    }
    if (readOnly) {
        QAccessibleValueChangeEvent event(edit, text);
        QAccessible::updateAccessibility(&event);
    }
}

// Typing over characters [from, to) of an edit box, as a user selecting them
// and typing would; no text deletes them.
void QtView::typeOver(HWND edit, int from, int to, const QString& text) {
    const std::string typed = windows1252FromUtf8(text.toStdString());
    postFor(edit, [edit, from, to, typed] {
        if (!input::click(edit)) {
            return;
        }
        // Encoded, a character of the widget's text is one of the core's.
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
        input::typeText(edit, typed.empty() ? std::string_view("\b") : typed);
    });
}

// Geometry -----------------------------------------------------------------

void QtView::place(HWND window) {
    Shown& shown = shown_[window];
    const Window* w = findWindow(window);
    if (shown.placed || w == nullptr || shown.frame == nullptr) {
        return;
    }
    shown.placed = true;
    WindowFrame* frame = shown.frame;
    QWidget* owner = widgetOf(w->owner);
    QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if ((w->style & DS_CENTER) != 0) {
        frame->move(area.center() - QPoint(frame->width() / 2, frame->height() / 2));
        return;
    }
    // Otherwise the template's position, from the owner's client area.
    const QRect at = w->inDialogUnits ? toPixels(w->rect, shown.units)
                                      : QRect(w->rect.x, w->rect.y, w->rect.cx, w->rect.cy);
    QPoint origin = area.topLeft();
    if (QWidget* ownerClient = clientOf(w->owner); ownerClient != nullptr) {
        origin = ownerClient->mapToGlobal(QPoint(0, 0));
    }
    frame->move(origin + at.topLeft());
}

void QtView::layOut(HWND window) {
    const Window* w = findWindow(window);
    QWidget* widget = widgetOf(window);
    if (w == nullptr || widget == nullptr) {
        return;
    }
    const auto pixels = [this](const Window& of) {
        return of.inDialogUnits ? toPixels(of.rect, baseUnitsOf(of.handle))
                                : QRect(of.rect.x, of.rect.y, of.rect.cx, of.rect.cy);
    };
    if (!w->isChild()) {
        shown_[window].frame->setClientSize(pixels(*w).size());
        return;
    }
    QRect at = pixels(*w);
    switch (w->kind) {
        case ControlKind::Edit:
            at.setWidth(at.width() - w->rightInsetPixels);
            break;
        case ControlKind::ComboBox: {
            // The template's height includes the dropped-down list.
            auto* list = static_cast<QComboBox*>(widget);
            const int closed = std::min(list->sizeHint().height(), std::max(at.height(), 1));
            const int row = list->count() > 0 ? std::max(1, list->view()->sizeHintForRow(0))
                                              : list->fontMetrics().height() + 2;
            list->setMaxVisibleItems(std::max(1, (at.height() - closed) / row));
            at.setHeight(closed);
            break;
        }
        case ControlKind::Static:
            if (w->type() == SS_ICON) {
                // An icon shows at the desktop's icon size, whatever the template says.
                const int side = widget->style()->pixelMetric(QStyle::PM_LargeIconSize);
                at.setSize(QSize(side, side));
            }
            break;
        case ControlKind::UpDown:
            if (const Window* buddy = findWindow(w->buddy);
                buddy != nullptr && (w->style & UDS_ALIGNRIGHT) != 0) {
                // On the buddy's right edge, over its border.
                const QRect b = pixels(*buddy);
                const int overlap = hasBorder(*buddy) ? kUpDownBuddyOverlap : 0;
                at = QRect(b.right() + 1 - buddy->rightInsetPixels - overlap, b.top(), kUpDownWidth,
                           b.height());
            }
            break;
        default:
            break;
    }
    widget->setGeometry(at);
}

// Keeping widgets in step ----------------------------------------------------

void QtView::applyAll(HWND window) {
    for (Change what : {Change::Style, Change::Text, Change::Items, Change::Check, Change::Pushed,
                        Change::Enabled, Change::Geometry, Change::Selection, Change::Visible,
                        Change::Columns, Change::Rows}) {
        apply(window, what);
    }
}

void QtView::changed(HWND window, Change what) {
    apply(window, what);
}

void QtView::apply(HWND window, Change what) {
    const Window* w = findWindow(window);
    QWidget* widget = widgetOf(window);
    if (w == nullptr || widget == nullptr) {
        return;
    }
    ++syncing_;
    const bool topLevel = !w->isChild();
    switch (what) {
        case Change::Text:
            if (topLevel) {
                widget->setWindowTitle(decoded(w->text));
            } else if (auto* group = dynamic_cast<GroupBoxWidget*>(widget)) {
                group->setTitle(decoded(w->text));
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(decoded(w->text));
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                if (w->type() == SS_ICON) {
                    const int side = widget->style()->pixelMetric(QStyle::PM_LargeIconSize);
                    label->setPixmap(iconFrom(iconBytes(w->staticIcon)).pixmap(side, side));
                } else {
                    label->setText(decoded(withoutMnemonics(w->text)));
                }
            } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                showText(edit, decoded(w->text), (w->style & ES_READONLY) != 0);
                apply(window, Change::Selection);
            }
            if (const auto top = shown_.find(topLevelOf(window));
                !topLevel && top != shown_.end() && top->second.placed) {
                nameControls(w->parent);
            }
            break;
        case Change::Items:
            if (auto* list = qobject_cast<QComboBox*>(widget)) {
                list->clear();
                for (const std::string& item : w->items) {
                    list->addItem(decoded(item));
                }
                list->setCurrentIndex(w->current);
                layOut(window);
            }
            break;
        case Change::CurrentItem:
            if (auto* list = qobject_cast<QComboBox*>(widget)) {
                list->setCurrentIndex(w->current);
            }
            break;
        case Change::Check:
            if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                box->setCheckState(w->check == BST_CHECKED ? Qt::Checked
                                   : w->check == 2         ? Qt::PartiallyChecked
                                                           : Qt::Unchecked);
            } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
                radio->setChecked(w->check == BST_CHECKED);
            }
            break;
        case Change::Pushed:
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setDown(w->pushed);
            }
            break;
        case Change::Enabled:
            // A disabled top-level window keeps its look; its modal dialog
            // keeps input from it.
            if (!topLevel) {
                widget->setEnabled(w->enabled());
            }
            break;
        case Change::Visible:
            if (topLevel) {
                showTopLevel(window, w->visible());
            } else {
                widget->setVisible(w->visible());
            }
            break;
        case Change::Style:
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                const bool readOnly = (w->style & ES_READONLY) != 0;
                edit->setReadOnly(readOnly);
                edit->setFrame(hasBorder(*w));
                // A read-only box has the dialog's face, as on the platform.
                QPalette palette = edit->parentWidget()->palette();
                if (readOnly) {
                    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
                }
                edit->setPalette(palette);
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                const DWORD type = w->type();
                const Qt::Alignment horizontal = type == SS_CENTER      ? Qt::AlignHCenter
                                                 : type == kStaticRight ? Qt::AlignRight
                                                                        : Qt::AlignLeft;
                label->setAlignment(horizontal | Qt::AlignTop);
                label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == kStaticRight);
            } else if (qobject_cast<QPushButton*>(widget) != nullptr) {
                updateDefaultButtons(w->parent);
            }
            break;
        case Change::Selection:
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                const int start = static_cast<int>(w->selectionStart);
                const int end = static_cast<int>(w->selectionEnd);
                if (start == end) {
                    edit->setCursorPosition(end);
                } else {
                    edit->setSelection(start, end - start);
                }
            }
            break;
        case Change::Dropped:
            if (auto* list = dynamic_cast<ComboBoxWidget*>(widget)) {
                if (w->dropped != list->view()->isVisible()) {
                    list->showListFromCore(w->dropped);
                }
            }
            break;
        case Change::Geometry:
            layOut(window);
            break;
        case Change::Columns:
        case Change::Rows:
        case Change::RowState:
            showListView(widget, *w, what);
            break;
        case Change::Menu:
            for (QAction* action : widget->findChildren<QAction*>()) {
                if (const int id = action->data().toInt(); id != 0) {
                    action->setEnabled(!menuCommandGrayed(*w, id));
                }
            }
            break;
        case Change::TextLimit:
        case Change::Position:
            break;
    }
    --syncing_;
}

void QtView::showTopLevel(HWND window, bool show) {
    QWidget* frame = widgetOf(window);
    if (!show) {
        frame->hide();
        QTimer::singleShot(0, this, [this] { keepActive(); });
        return;
    }
    place(window);
    nameControls(window);
    frame->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        frame->raise();
    }
    frame->activateWindow();
    if (const HWND focus = GetFocus(); topLevelOf(focus) == window) {
        if (QWidget* widget = widgetOf(focus); widget != nullptr && widget != frame) {
            ++syncing_;
            widget->setFocus(Qt::OtherFocusReason);
            --syncing_;
            frame->setAttribute(Qt::WA_KeyboardFocusChange);
        }
    }
}

void QtView::focusChanged(HWND from, HWND to) {
    ++syncing_;
    if (QWidget* widget = widgetOf(to); widget != nullptr) {
        widget->setFocus(Qt::OtherFocusReason);
        // The style draws its focus cue only after keyboard use; the window
        // shows where the focus is always.
        widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        // The focus moving to another of our windows (a modal dialog
        // ending, say) takes the activation along.
        QWidget* window = widget->window();
        QWidget* active = QApplication::activeWindow();
        if (active != window && window->isVisible() &&
            (active == nullptr || handles_.count(active) != 0)) {
            window->activateWindow();
        }
    } else if (QWidget* old = widgetOf(from); old != nullptr) {
        old->clearFocus();
    }
    --syncing_;
    updateDefaultButtons(topLevelOf(from));
    if (topLevelOf(to) != topLevelOf(from)) {
        updateDefaultButtons(topLevelOf(to));
    }
}

// Where an assistive tool moves the focus, the dialog manager moves it, as
// Tab would.
void QtView::focusAskedFor(HWND control) {
    post([control] {
        if (const Window* w = findWindow(control); w != nullptr && w->isChild()) {
            SendMessageA(w->parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        }
    });
}

// Qt moved the focus itself: an assistive tool asking for it (Qt's own
// interface for an edit box gives the focus directly) goes to the dialog
// manager; anything else (a window activated, the focused widget disabled)
// is undone.
void QtView::focusMovedByQt(HWND to, Qt::FocusReason reason) {
    if (reason == Qt::OtherFocusReason) {
        focusAskedFor(to);
    }
    QTimer::singleShot(0, this, [this] {
        ++syncing_;
        QWidget* focus = widgetOf(GetFocus());
        if (focus != nullptr && focus->isEnabled() && focus->isVisible()) {
            focus->setFocus(Qt::OtherFocusReason);
        } else if (QWidget* shown = QApplication::focusWidget();
                   shown != nullptr && handles_.count(shown) != 0 && shown != focus) {
            shown->clearFocus();
        }
        --syncing_;
    });
}

// The push button Enter would press looks like the default one.
void QtView::updateDefaultButtons(HWND dialog) {
    const Window* d = findWindow(dialog);
    if (d == nullptr || !d->isDialog) {
        return;
    }
    const HWND pressedByEnter = defaultButton(dialog);
    for (HWND child : d->children) {
        if (auto* button = qobject_cast<QPushButton*>(widgetOf(child))) {
            button->setDefault(child == pressedByEnter);
        }
    }
}

// Names change only when they do: every change is announced.
void QtView::nameControls(HWND dialog) {
    if (QWidget* frame = widgetOf(dialog); frame != nullptr) {
        if (const QString name = decoded(windowName(dialog)); frame->accessibleName() != name) {
            frame->setAccessibleName(name);
        }
    }
    for (auto& [control, named] : accessibleNames(dialog)) {
        QWidget* widget = widgetOf(control);
        if (widget == nullptr) {
            continue;
        }
        if (const QString name = decoded(named.name); widget->accessibleName() != name) {
            widget->setAccessibleName(name);
        }
        if (auto* arrows = dynamic_cast<UpDownWidget*>(widget)) {
            arrows->nameArrows(widget->accessibleName());
        }
        shown_[control].labels = std::move(named.labels);
    }
}

// Waiting and message boxes ----------------------------------------------------

void QtView::runOne() {
    if (pending_.empty()) {
        return;
    }
    const std::function<void()> action = std::move(pending_.front());
    pending_.pop_front();
    action();
}

void QtView::waitForInput() {
    if (pending_.empty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    runOne();
}

void QtView::pollInput() {
    if (pending_.empty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    runOne();
}

int QtView::messageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (type & kMessageBoxIcons) {
        case 0x10:
            icon = QMessageBox::Critical;
            break;
        case 0x20:
            icon = QMessageBox::Question;
            break;
        case MB_ICONWARNING:
            icon = QMessageBox::Warning;
            break;
        case 0x40:
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
    switch (type & kMessageBoxButtons) {
        case 1:
            answers = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case 3:
            answers = {{QMessageBox::Yes, kIdYes},
                       {QMessageBox::No, kIdNo},
                       {QMessageBox::Cancel, IDCANCEL}};
            break;
        case 4:
            answers = {{QMessageBox::Yes, kIdYes}, {QMessageBox::No, kIdNo}};
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

// Input ------------------------------------------------------------------------

bool QtView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            return keyReleased(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            // Text composed by an input method (dead keys, compose): typed
            // like any other text.
            if (const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
                !text.isEmpty()) {
                post([typed = windows1252FromUtf8(text.toStdString())] {
                    if (const Window* edit = findWindow(GetFocus());
                        edit != nullptr && edit->kind == ControlKind::Edit) {
                        input::typeText(edit->handle, typed);
                    }
                });
            }
            return true;
        case QEvent::FocusIn:
            if (const HWND handle = handleOf(watched);
                syncing_ == 0 && handles_.count(watched) != 0 && handle != GetFocus()) {
                focusMovedByQt(handle, static_cast<QFocusEvent*>(event)->reason());
            }
            return false;
        case QEvent::Shortcut:
            // A button's mnemonic clicks it through the core.
            if (const HWND handle = handleOf(watched);
                handle != nullptr && qobject_cast<QAbstractButton*>(watched) != nullptr) {
                postFor(handle, [handle] { input::click(handle); });
            }
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::LeftButton) {
                    return true;
                }
                if (event->type() == QEvent::MouseButtonPress && !edit->hasFocus()) {
                    const HWND handle = handleOf(watched);
                    post([handle] { input::click(handle); });
                }
            }
            return false;
        case QEvent::ContextMenu:
            // An edit box's right-click menu is the core's.
            if (qobject_cast<QLineEdit*>(watched) != nullptr) {
                const HWND handle = handleOf(watched);
                const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
                postFor(handle, [handle, at] { input::rightClick(handle, at.x(), at.y()); });
                return true;
            }
            return false;
        case QEvent::Wheel:
            // The wheel over the focused drop-down list steps its choice as
            // the arrow keys do; it never changes a list behind the core's back.
            if (qobject_cast<QComboBox*>(watched) == nullptr) {
                return false;
            }
            if (handleOf(watched) != GetFocus()) {
                wheelTurned_ = 0;
                return true;
            }
            // A notch of a mouse wheel is one step; a touchpad's small turns add up.
            wheelTurned_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
            for (; std::abs(wheelTurned_) >= kWheelStep;
                 wheelTurned_ -= wheelTurned_ > 0 ? kWheelStep : -kWheelStep) {
                post([handle = handleOf(watched), down = wheelTurned_ < 0] {
                    if (GetFocus() == handle) {
                        input::pressKey(down ? VK_DOWN : VK_UP);
                    }
                });
            }
            return true;
        case QEvent::Paint:
            if (firstPaint_ && qobject_cast<QWidget*>(watched) != nullptr &&
                handles_.count(watched) == 0) {
                // A client area, painted: report once the paint is done.
                QTimer::singleShot(0, this, [hook = std::move(firstPaint_)] { hook(); });
                firstPaint_ = nullptr;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace quorvel::platform::qt
