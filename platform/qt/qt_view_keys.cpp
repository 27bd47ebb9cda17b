// The keyboard: keys become the platform's key messages (so the dialog
// manager handles Tab, Enter, Esc, arrows and space, and the edit box with
// the focus its editing keys and Ctrl shortcuts), typed text goes into the
// edit box with the focus, encoded in Windows-1252. F10 or Alt pressed and
// let go on its own opens the window's menu, as on the platform. The clipboard those boxes
// use is the desktop's, and their right-click menu shows as a Qt menu.

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <memory>

#include "platform/core/clipboard.h"
#include "platform/core/code_page.h"
#include "platform/core/input.h"
#include "platform/qt/qt_view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

const Window* focusedEdit() {
    const Window* w = findWindow(GetFocus());
    return w != nullptr && w->kind == ControlKind::Edit ? w : nullptr;
}

bool focusIsList() {
    const Window* w = findWindow(GetFocus());
    return w != nullptr && w->kind == ControlKind::ComboBox;
}

std::string encoded(const QString& text) {
    return windows1252FromUtf8(text.toStdString());
}

// Text typed into the focused control: into an edit box as characters, to
// anything else as the keys of its letters, digits and spaces.
void typeIntoFocus(const std::string& text) {
    if (const Window* edit = focusedEdit(); edit != nullptr) {
        input::typeText(edit->handle, text);
        return;
    }
    for (char c : text) {
        if (c >= 'a' && c <= 'z') {
            input::pressKey(static_cast<UINT>(c - 'a' + 'A'));
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            input::pressKey(static_cast<UINT>(c), c >= 'A' && c <= 'Z');
        } else if (c == ' ') {
            input::pressKey(VK_SPACE);
        }
    }
}

// The desktop's clipboard, holding UTF-8; the boxes hold Windows-1252.
class DesktopClipboard final : public Clipboard {
  public:
    std::optional<std::string> text() override {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (data == nullptr || !data->hasText()) {
            return std::nullopt;
        }
        return encoded(data->text());
    }
    void setText(const std::string& text) override {
        QGuiApplication::clipboard()->setText(QString::fromStdString(utf8FromWindows1252(text)));
    }
};

// The keys the edit boxes and the dialog manager act on, as the platform's
// virtual keys.
UINT virtualKeyOf(int key) {
    switch (key) {
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Insert:
            return VK_INSERT;
        case Qt::Key_Backspace:
            return VK_BACK;
        default:
            return 0;
    }
}

}  // namespace

std::unique_ptr<Clipboard> makeDesktopClipboard() {
    return std::make_unique<DesktopClipboard>();
}

int QtView::popupMenu(HWND owner, const std::vector<MenuItem>& items, int x, int y) {
    showItems(nullptr);
    QWidget* widget = widgetOf(owner);
    QMenu menu(widget);
    int chosen = 0;
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(utf8FromWindows1252(item.text)));
        action->setEnabled(!item.grayed);
        connect(action, &QAction::triggered, &menu, [&chosen, id = item.id] { chosen = id; });
    }
    const QPoint at = x == -1 && y == -1 && widget != nullptr
                          ? widget->mapToGlobal(widget->rect().center())
                          : QPoint(x, y);
    menu.exec(at);
    return chosen;
}

// The menu of the window the keyboard works in, unless a modal dialog keeps
// input from it.
void QtView::openMenuBar() {
    const HWND active = activeWindow();
    const Window* w = findWindow(active);
    if (const auto found = shown_.find(active);
        w != nullptr && w->enabled() && found != shown_.end() && found->second.frame != nullptr) {
        found->second.frame->openMenuFromKeyboard();
    }
}

bool QtView::keyPressed(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shift = (modifiers & Qt::ShiftModifier) != 0;
    const bool control = (modifiers & Qt::ControlModifier) != 0;
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    if (key != Qt::Key_Alt) {
        altAlone_ = false;
    } else if (!event->isAutoRepeat()) {
        altAlone_ = true;
    }
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return false;
        case Qt::Key_F10:
            if (shift) {
                // Shift+F10 is the menu key.
                post([] {
                    if (const Window* edit = focusedEdit(); edit != nullptr) {
                        input::rightClick(edit->handle);
                    }
                });
            } else if (!control && !alt) {
                post([this] { openMenuBar(); });
            }
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            post([backwards = shift || key == Qt::Key_Backtab] {
                input::pressKey(VK_TAB, backwards);
            });
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            post([] { input::pressKey(VK_RETURN); });
            return true;
        case Qt::Key_Escape:
            post([] { input::pressKey(VK_ESCAPE); });
            return true;
        case Qt::Key_F1:
            post([] { input::pressKey(VK_F1); });
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
        case Qt::Key_Backspace:
            post([vk = virtualKeyOf(key), shift, control, alt] {
                if (alt && (vk == VK_UP || vk == VK_DOWN) && focusIsList()) {
                    input::openList(GetFocus());
                } else {
                    input::pressKey(vk, shift, control);
                }
            });
            return true;
        case Qt::Key_Menu:
            post([] {
                if (const Window* edit = focusedEdit(); edit != nullptr) {
                    input::rightClick(edit->handle);
                }
            });
            return true;
        case Qt::Key_F4:
            post([] {
                if (focusIsList()) {
                    input::openList(GetFocus());
                }
            });
            return true;
        case Qt::Key_Space:
            post([this, repeat = event->isAutoRepeat()] {
                if (const Window* edit = focusedEdit(); edit != nullptr) {
                    input::typeText(edit->handle, " ");
                } else if (!repeat && !spaceDown_) {
                    // Held down, a button shows pushed; it clicks when let go.
                    spaceDown_ = true;
                    input::keyDown(VK_SPACE);
                }
            });
            return true;
        default:
            break;
    }
    if (control && !alt) {
        // Ctrl with a letter (Ctrl+A, C, X, V, Z in an edit box) is the
        // letter's key with Ctrl held.
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            post([vk = static_cast<UINT>('A' + (key - Qt::Key_A)), shift] {
                input::pressKey(vk, shift, true);
            });
        }
        return true;
    }
    const QString text = event->text();
    if (!alt && !text.isEmpty() && text.at(0).isPrint()) {
        post([typed = encoded(text)] { typeIntoFocus(typed); });
    }
    return true;
}

bool QtView::keyReleased(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Alt:
            if (altAlone_ && !event->isAutoRepeat()) {
                altAlone_ = false;
                post([this] { openMenuBar(); });
            }
            return false;
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return false;
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) {
                post([this] {
                    if (spaceDown_) {
                        spaceDown_ = false;
                        input::keyUp(VK_SPACE);
                    }
                });
            }
            return true;
        default:
            return true;
    }
}

}  // namespace quorvel::platform::qt
