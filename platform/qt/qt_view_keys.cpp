// The keyboard: keys become the platform's key messages (so the dialog
// manager handles Tab, Enter, Esc, arrows and space), typed text goes into
// the edit box with the focus, encoded in Windows-1252.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/core/code_page.h"
#include "platform/core/input.h"
#include "platform/qt/qt_view.h"

namespace quorvel::platform::qt {
namespace {

constexpr UINT kVkBack = 0x08;

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

// Moves the focused edit box's caret; with extend the selection grows from
// where it started.
void moveCaret(std::size_t (*where)(const Window&), bool extend) {
    const Window* edit = focusedEdit();
    if (edit == nullptr) {
        return;
    }
    const std::size_t caret = where(*edit);
    const std::size_t anchor = extend ? edit->selectionStart : caret;
    SendMessageA(edit->handle, EM_SETSEL, static_cast<WPARAM>(anchor), static_cast<LPARAM>(caret));
}

std::string selectedText(const Window& edit) {
    const std::size_t from = std::min(edit.selectionStart, edit.selectionEnd);
    const std::size_t to = std::max(edit.selectionStart, edit.selectionEnd);
    return edit.text.substr(from, to - from);
}

void deleteForward() {
    const Window* edit = focusedEdit();
    if (edit == nullptr || (edit->style & ES_READONLY) != 0) {
        return;
    }
    const HWND handle = edit->handle;
    if (edit->selectionStart == edit->selectionEnd) {
        const std::size_t caret = edit->selectionEnd;
        if (caret >= edit->text.size()) {
            return;
        }
        SendMessageA(handle, EM_SETSEL, static_cast<WPARAM>(caret), static_cast<LPARAM>(caret + 1));
    }
    input::typeText(handle, "\b");
}

void copySelection(bool cut) {
    const Window* edit = focusedEdit();
    if (edit == nullptr || edit->selectionStart == edit->selectionEnd) {
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(utf8FromWindows1252(selectedText(*edit))));
    if (cut && (edit->style & ES_READONLY) == 0) {
        input::typeText(edit->handle, "\b");
    }
}

void paste() {
    std::string text = encoded(QGuiApplication::clipboard()->text());
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    if (const Window* edit = focusedEdit(); edit != nullptr && !text.empty()) {
        input::typeText(edit->handle, text);
    }
}

}  // namespace

bool QtView::keyPressed(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shift = (modifiers & Qt::ShiftModifier) != 0;
    const bool control = (modifiers & Qt::ControlModifier) != 0;
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return false;  // Alt on its own is the menu bar's
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
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const UINT vk = key == Qt::Key_Up     ? VK_UP
                            : key == Qt::Key_Down ? VK_DOWN
                            : key == Qt::Key_Left ? VK_LEFT
                                                  : VK_RIGHT;
            post([vk, shift, alt] {
                if (alt && (vk == VK_UP || vk == VK_DOWN) && focusIsList()) {
                    input::openList(GetFocus());
                } else if (shift && (vk == VK_LEFT || vk == VK_RIGHT) && focusedEdit()) {
                    moveCaret(
                        vk == VK_LEFT
                            ? +[](const Window&
                                      e) { return e.selectionEnd > 0 ? e.selectionEnd - 1 : 0; }
                            : +[](const Window&
                                      e) { return std::min(e.selectionEnd + 1, e.text.size()); },
                        true);
                } else {
                    input::pressKey(vk);
                }
            });
            return true;
        }
        case Qt::Key_Home:
        case Qt::Key_End:
            post([home = key == Qt::Key_Home, shift] {
                moveCaret(
                    home ? +[](const Window&) { return std::size_t{0}; }
                         : +[](const Window& e) { return e.text.size(); },
                    shift);
            });
            return true;
        case Qt::Key_F4:
            post([] {
                if (focusIsList()) {
                    input::openList(GetFocus());
                }
            });
            return true;
        case Qt::Key_Backspace:
            post([] {
                if (const Window* edit = focusedEdit(); edit != nullptr) {
                    input::typeText(edit->handle, "\b");
                } else {
                    input::pressKey(kVkBack);
                }
            });
            return true;
        case Qt::Key_Delete:
            post(deleteForward);
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
        switch (key) {
            case Qt::Key_A:
                post([] {
                    if (const Window* edit = focusedEdit(); edit != nullptr) {
                        SendMessageA(edit->handle, EM_SETSEL, 0, -1);
                    }
                });
                break;
            case Qt::Key_C:
            case Qt::Key_X:
                post([cut = key == Qt::Key_X] { copySelection(cut); });
                break;
            case Qt::Key_V:
                post(paste);
                break;
            default:
                break;
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
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
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
