// Edit boxes. The core's edit control does the editing; the widget shows its
// text, selection and caret, and reports a selection made with the mouse.

#include <QAccessible>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "platform/core/code_page.h"
#include "platform/core/input.h"
#include "platform/qt/accessible.h"
#include "platform/qt/adapter.h"
#include "platform/qt/qt_view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
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

// Changes screen readers are not told of, for as long as it lives.
class Unannounced {
  public:
    Unannounced() : announce_(QAccessible::installUpdateHandler([](QAccessibleEvent*) {})) {}
    ~Unannounced() { QAccessible::installUpdateHandler(announce_); }
    Unannounced(const Unannounced&) = delete;
    Unannounced& operator=(const Unannounced&) = delete;

  private:
    QAccessible::UpdateHandler announce_;
};

// A box's selection changes as the focus comes and goes (the dialog selects
// a box's text as Tab enters it; the widget drops its selection as the focus
// leaves). Told of it, a screen reader says the text and "selected" before
// the box's name, and "unselected" after it; it reads the selection of the
// box with the focus by itself.
class QuietSelectionAcrossFocus final : public QObject {
  public:
    explicit QuietSelectionAcrossFocus(QLineEdit* edit) : QObject(edit) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusOut) {
            return false;
        }
        const Unannounced quiet;
        watched->event(event);
        return true;
    }
};

// The core's edit control keeps the undo history. The widget keeps its own
// too, a step for every character inserted or removed, for as long as the
// widget lives: over a day of slips that grows without end. Setting the text
// the widget already shows empties it; screen readers have heard the change,
// so they are not told of the same text again.
void forgetUndoHistory(QLineEdit* edit) {
    const Unannounced quiet;
    edit->setText(edit->text());
}

// Only the part that changed is replaced, so that a screen reader hears one
// character typed as one character, not the whole text again; a read-only
// box announces its new value.
void showText(QLineEdit* edit, const QString& text, bool readOnly) {
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
    } else {
        forgetUndoHistory(edit);
    }
    if (readOnly) {
        QAccessibleValueChangeEvent event(edit, text);
        QAccessible::updateAccessibility(&event);
    }
}

// A command's result shown in read-only boxes is said at once, the boxes it
// filled in one turn together and in that order ("Total stake £1.00.
// Returns £2.73."), with the focus left where it is. It is said again when
// the command shows the same amounts again; a box emptied says nothing, and
// nor does the box with the focus, which a screen reader reads itself.
void announceResult(QLineEdit* edit, const QString& text) {
    if (text.isEmpty() || edit->hasFocus() || !edit->isVisible()) {
        return;
    }
    static std::vector<std::pair<QPointer<QLineEdit>, QString>> pending;
    if (pending.empty()) {
        QTimer::singleShot(0, [] {
            QPointer<QWidget> window;
            QStringList said;
            for (const auto& [box, shown] : pending) {
                if (box.isNull() || (window != nullptr && box->window() != window)) {
                    continue;
                }
                window = box->window();
                QAccessibleInterface* i = QAccessible::queryAccessibleInterface(box.data());
                const QString name = i != nullptr ? i->text(QAccessible::Name) : QString();
                said.append(name.isEmpty() ? shown : name + QLatin1Char(' ') + shown);
            }
            pending.clear();
            if (window != nullptr) {
                announce(window, said.join(QStringLiteral(". ")) + QLatin1Char('.'));
            }
        });
    }
    for (auto& [box, shown] : pending) {
        if (box == edit) {
            shown = text;
            return;
        }
    }
    pending.emplace_back(edit, text);
}

void showSelection(QLineEdit* edit, const Window& w) {
    const int start = static_cast<int>(w.selectionStart);
    const int end = static_cast<int>(w.selectionEnd);
    std::optional<Unannounced> quiet;
    if (!edit->hasFocus()) {
        quiet.emplace();
    }
    if (start == end) {
        edit->setCursorPosition(end);
    } else {
        edit->setSelection(start, end - start);
    }
}

// The palette's ground for text, unless it is too close to the face to tell
// an editable box from a read-only one: then a ground further from the face,
// darker on a dark face and lighter on a light one.
QColor editableGround(const QColor& base, const QColor& face) {
    constexpr int kApart = 32;  // lightness, of 255
    if (std::abs(base.lightness() - face.lightness()) >= kApart) {
        return base;
    }
    const int lightness = face.lightness() < 128 ? std::max(0, face.lightness() - kApart)
                                                 : std::min(255, face.lightness() + kApart);
    return QColor::fromHsl(face.hslHue(), face.hslSaturation(), lightness);
}

QWidget* create(QtView& view, const Window& w, QWidget* parent) {
    auto* edit = new EditWidget(parent);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->setDragEnabled(false);
    edit->installEventFilter(new QuietSelectionAcrossFocus(edit));
    const HWND handle = w.handle;
    const auto selected = [&view, edit, handle] {
        if (view.syncing()) {
            return;
        }
        // A selection made with the mouse: the caret is where the drag ended.
        const int caret = edit->cursorPosition();
        const int start = edit->hasSelectedText() ? edit->selectionStart() : caret;
        const int end = start + static_cast<int>(edit->selectedText().size());
        const int anchor = edit->hasSelectedText() && caret == start ? end : start;
        view.post([handle, anchor, caret] {
            SendMessageA(handle, EM_SETSEL, static_cast<WPARAM>(anchor), caret);
        });
    };
    QObject::connect(edit, &QLineEdit::selectionChanged, &view, selected);
    QObject::connect(edit, &QLineEdit::cursorPositionChanged, &view, selected);
    return edit;
}

// A read-only box has the dialog's face, as on the platform; an editable one
// a ground that differs from it in any palette. The text has the colour the
// parent gave it, if it gave one.
void showColours(QLineEdit* edit, const Window& w) {
    const bool readOnly = (w.style & ES_READONLY) != 0;
    QPalette palette = edit->parentWidget()->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor face = palette.color(group, QPalette::Window);
        palette.setColor(
            group, QPalette::Base,
            readOnly ? face : editableGround(palette.color(group, QPalette::Base), face));
    }
    if (w.textColor != CLR_INVALID) {
        const QColor text(static_cast<int>(w.textColor & 0xFF),
                          static_cast<int>((w.textColor >> 8) & 0xFF),
                          static_cast<int>((w.textColor >> 16) & 0xFF));
        palette.setColor(QPalette::Text, text);
    }
    edit->setPalette(palette);
}

void apply(QtView&, QWidget* widget, const Window& w, Change what) {
    auto* edit = static_cast<QLineEdit*>(widget);
    switch (what) {
        case Change::Text:
            showText(edit, decoded(w.text), (w.style & ES_READONLY) != 0);
            showSelection(edit, w);
            if ((w.style & ES_READONLY) != 0) {
                announceResult(edit, edit->text());
            }
            break;
        case Change::Selection:
            showSelection(edit, w);
            break;
        case Change::Style: {
            const bool readOnly = (w.style & ES_READONLY) != 0;
            edit->setReadOnly(readOnly);
            edit->setFrame(hasBorder(w));
            showColours(edit, w);
            break;
        }
        case Change::Colours:
            showColours(edit, w);
            break;
        default:
            break;
    }
}

// An aligned up-down control takes room from the box's right. A box is at
// least as tall as its line of text and its frame, if it has one.
QRect layOut(const QtView&, QWidget* widget, const Window& w, QRect at) {
    at.setWidth(at.width() - w.rightInsetPixels);
    return tallEnough(
        at, hasBorder(w) ? widget->minimumSizeHint().height() : widget->fontMetrics().height());
}

}  // namespace

const ControlAdapter kEditAdapter{ControlKind::Edit, create, apply, layOut};

// Typing over characters [from, to) of an edit box, as a user selecting them
// and typing would; no text deletes them.
void typeOver(QtView& view, HWND edit, int from, int to, const QString& text) {
    const std::string typed = windows1252FromUtf8(text.toStdString());
    view.postFor(edit, [edit, from, to, typed] {
        if (!input::click(edit)) {
            return;
        }
        // Encoded, a character of the widget's text is one of the core's.
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
        input::typeText(edit, typed.empty() ? std::string_view("\b") : typed);
    });
}

}  // namespace quorvel::platform::qt
