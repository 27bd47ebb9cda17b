#include "platform/qt/qt_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/core/accessible_names.h"
#include "platform/core/code_page.h"
#include "platform/core/input.h"
#include "platform/qt/accessible.h"
#include "platform/qt/adapter.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

constexpr int kWheelStep = 120;       // one notch of a mouse wheel
constexpr qint64 kBurstSliceMs = 10;  // the longest input runs without Qt's events

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
                           const QString& text) { typeOver(*this, edit, from, to, text); },
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
        .labelFor =
            [this](HWND label) {
                QList<QObject*> widgets;
                for (const auto& [control, shown] : shown_) {
                    if (std::find(shown.labels.begin(), shown.labels.end(), label) !=
                            shown.labels.end() &&
                        !shown.widget.isNull()) {
                        widgets.append(shown.widget.data());
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

void QtView::createControl(const Window& w) {
    QWidget* parent = clientOf(w.parent);
    if (parent == nullptr) {
        parent = widgetOf(w.parent);
    }
    if (parent == nullptr) {
        return;
    }
    const ControlAdapter* adapter = adapterFor(w);
    QWidget* widget = adapter != nullptr ? adapter->create(*this, w, parent) : new QWidget(parent);
    // The core moves the focus; Qt only shows it.
    widget->setFocusPolicy(Qt::NoFocus);
    widget->installEventFilter(this);
    shown_[w.handle].widget = widget;
    shown_[w.handle].adapter = adapter;
    handles_[widget] = w.handle;
    applyAll(w.handle);
}

void QtView::destroyed(HWND window) {
    std::erase(itemsChanged_, window);
    std::erase(resized_, window);
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

// Geometry -----------------------------------------------------------------

void QtView::layOut(HWND window) {
    const Window* w = findWindow(window);
    const auto found = shown_.find(window);
    if (w == nullptr || found == shown_.end() || found->second.widget.isNull()) {
        return;
    }
    const Shown& shown = found->second;
    if (shown.frame != nullptr) {
        // A frame the user sized keeps their pixels while they make the core's size.
        if (!shown.frame->resizable() ||
            toDialogUnits(shown.frame->client()->size(), shown.units) !=
                QSize(w->rect.cx, w->rect.cy)) {
            shown.frame->setClientSize(pixelsOf(*this, *w).size());
        }
    } else if (shown.adapter != nullptr && shown.adapter->layOut != nullptr) {
        shown.widget->setGeometry(
            shown.adapter->layOut(*this, shown.widget, *w, pixelsOf(*this, *w)));
    } else {
        shown.widget->setGeometry(pixelsOf(*this, *w));
    }
}

// Keeping widgets in step ----------------------------------------------------

void QtView::applyAll(HWND window) {
    for (Change what : {Change::Style, Change::Text, Change::Items, Change::Check, Change::Pushed,
                        Change::Enabled, Change::Geometry, Change::Selection, Change::Visible,
                        Change::Columns, Change::Rows}) {
        apply(window, what);
    }
}

// A list is filled one item at a time: its widget takes the items once, when
// Qt next runs or before any other change to it.
void QtView::changed(HWND window, Change what) {
    if (what == Change::Items) {
        if (std::find(itemsChanged_.begin(), itemsChanged_.end(), window) == itemsChanged_.end()) {
            itemsChanged_.push_back(window);
        }
        return;
    }
    showItems(window);
    apply(window, what);
}

// The items of lists changed since they were last shown; of one list, or of
// all for nullptr.
void QtView::showItems(HWND window) {
    if (itemsChanged_.empty()) {
        return;
    }
    if (window != nullptr) {
        const auto found = std::find(itemsChanged_.begin(), itemsChanged_.end(), window);
        if (found != itemsChanged_.end()) {
            itemsChanged_.erase(found);
            apply(window, Change::Items);
        }
        return;
    }
    const std::vector<HWND> lists = std::move(itemsChanged_);
    itemsChanged_.clear();
    for (HWND list : lists) {
        apply(list, Change::Items);
    }
}

void QtView::apply(HWND window, Change what) {
    const Window* w = findWindow(window);
    const auto found = shown_.find(window);
    if (w == nullptr || found == shown_.end() || found->second.widget.isNull()) {
        return;
    }
    QWidget* widget = found->second.widget;
    const ControlAdapter* adapter = found->second.adapter;
    const bool topLevel = !w->isChild();
    ++syncing_;
    switch (what) {
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
        case Change::Geometry:
            layOut(window);
            break;
        case Change::Text:
            if (topLevel) {
                widget->setWindowTitle(decoded(w->text));
            } else if (adapter != nullptr) {
                adapter->apply(*this, widget, *w, what);
            }
            // Labels name the controls beside them; a box's text names it
            // only when nothing labels it.
            if (const auto top = shown_.find(topLevelOf(window));
                !topLevel && top != shown_.end() && top->second.placed &&
                (w->kind != ControlKind::Edit || found->second.labels.empty())) {
                nameControls(w->parent);
            }
            break;
        case Change::Described:
            widget->setAccessibleDescription(decoded(w->description));
            break;
        case Change::Menu:
            // A command grayed or enabled again in a window's menu.
            for (QAction* action : widget->findChildren<QAction*>()) {
                if (const int id = action->data().toInt(); id != 0) {
                    action->setEnabled(!menuCommandGrayed(*w, id));
                }
            }
            break;
        default:
            if (adapter != nullptr) {
                adapter->apply(*this, widget, *w, what);
            }
            break;
    }
    --syncing_;
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
    QTimer::singleShot(0, this, [this] { showCoreFocus(); });
}

// Qt's focus back on the control the core has it on.
void QtView::showCoreFocus() {
    ++syncing_;
    QWidget* focus = widgetOf(GetFocus());
    if (focus != nullptr && focus->isEnabled() && focus->isVisible()) {
        focus->setFocus(Qt::OtherFocusReason);
    } else if (QWidget* shown = QApplication::focusWidget();
               shown != nullptr && handles_.count(shown) != 0 && shown != focus) {
        shown->clearFocus();
    }
    --syncing_;
}

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

// Input waiting to be handed over runs first, but a long burst of it (fast
// typing, a script) still lets Qt paint and run its timers every few
// milliseconds.
void QtView::letQtRun(bool wait) {
    showItems(nullptr);
    if (pending_.empty()) {
        QCoreApplication::processEvents(wait ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                             : QEventLoop::AllEvents);
        sinceQtRan_.start();
    } else if (!sinceQtRan_.isValid() || sinceQtRan_.elapsed() >= kBurstSliceMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        sinceQtRan_.start();
    }
}

void QtView::waitForInput() {
    letQtRun(true);
    runOne();
}

void QtView::pollInput() {
    letQtRun(false);
    runOne();
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
            altAlone_ = false;  // Alt held for a click is not the menu's
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
