// Top-level windows and dialogs: a frame around a client area that holds
// the controls, with the class's menu, icon and background.

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "platform/core/accessible_names.h"
#include "platform/core/input.h"
#include "platform/core/resource_templates.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

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
        // "&Contents\tF1": the text, and the key shown beside it and told to screen readers.
        // The key is the program's to handle (F1 works in every window), not the menu's.
        const QString text = decoded(item.text);
        const qsizetype tab = text.indexOf('\t');
        QAction* action = menu->addAction(text.left(tab));
        if (tab >= 0) {
            action->setShortcut(QKeySequence(text.mid(tab + 1)));
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        action->setData(item.id);
        action->setEnabled(!item.grayed);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, menu, [chosen, id] { chosen(id); });
    }
}

}  // namespace

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
    if ((w.style & WS_THICKFRAME) != 0) {
        frame->setResizable(toPixels(w.rect, shown.units).size());
        frame->clientResized = [this, handle] { frameResized(handle); };
    }
    frame->installEventFilter(this);
    client->installEventFilter(this);
    layOut(handle);
}

// The user sized a window's frame: the core hears of it as the next input,
// once for any number of steps of the drag, with the size the frame has then.
void QtView::frameResized(HWND window) {
    if (syncing() || std::find(resized_.begin(), resized_.end(), window) != resized_.end()) {
        return;
    }
    resized_.push_back(window);
    post([this, window] {
        std::erase(resized_, window);
        const QWidget* client = clientOf(window);
        const auto found = shown_.find(window);
        if (client == nullptr || found == shown_.end()) {
            return;
        }
        const QSize units = toDialogUnits(client->size(), found->second.units);
        input::resize(window, units.width(), units.height());
        // The frame keeps what the core took, and goes back to its size if it took none.
        ++syncing_;
        layOut(window);
        --syncing_;
    });
}

void QtView::buildMenu(WindowFrame* frame, const Window& w) {
    QMenuBar* bar = frame->addMenuBar();
    const HWND handle = w.handle;
    const std::function<void(int)> chosen = [this, handle](int id) {
        post([handle, id] { input::chooseMenuItem(handle, id); });
    };
    for (const MenuItem& item : w.menu->items) {
        if (item.popup) {
            QMenu* menu = addPopup(bar, item);
            addMenuItems(menu, item.items, chosen);
            // Leaving the menu (Esc, a click elsewhere) shows the focus where
            // the core kept it.
            connect(menu, &QMenu::aboutToHide, this,
                    [this] { QTimer::singleShot(0, this, [this] { showCoreFocus(); }); });
            // Moving on to this menu from the one before (Right), the menu bar
            // gives the window's focused control the focus again once the
            // menu shows, and a screen reader follows it there: the menu's
            // current item takes it back.
            connect(menu, &QMenu::aboutToShow, this, [menu] {
                QTimer::singleShot(0, menu, [menu] {
                    if (QAction* current = menu->activeAction();
                        current != nullptr && menu->isVisible()) {
                        QAccessibleEvent focus(menu, QAccessible::Focus);
                        focus.setChild(static_cast<int>(menu->actions().indexOf(current)));
                        QAccessible::updateAccessibility(&focus);
                    }
                });
            });
        } else if (!item.separator) {
            QAction* action = bar->addAction(decoded(item.text));
            action->setData(item.id);
            action->setEnabled(!item.grayed);
            const int id = item.id;
            connect(action, &QAction::triggered, bar, [chosen, id] { chosen(id); });
        }
    }
}

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

}  // namespace quorvel::platform::qt
