#include "platform/qt/accessible.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <map>

#include "platform/core/accessible_names.h"
#include "platform/core/view.h"
#include "platform/qt/widgets.h"

namespace quorvel::platform::qt {
namespace {

AssistiveInput& assistive() {
    static AssistiveInput input;
    return input;
}

HWND handleOf(const QAccessibleWidget& widget) {
    return assistive().handleOf ? assistive().handleOf(widget.object()) : nullptr;
}

// The control would take a click: shown and enabled, in a window that is not
// waiting for a modal dialog.
bool takesInput(HWND control) {
    for (const Window* w = findWindow(control); w != nullptr; w = findWindow(w->parent)) {
        if (!w->enabled() || !w->visible()) {
            return false;
        }
        if (!w->isChild()) {
            break;
        }
    }
    return findWindow(control) != nullptr;
}

QAccessible::Role buttonRole(const Window& w) {
    switch (w.type()) {
        case BS_GROUPBOX:
            return QAccessible::Grouping;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return QAccessible::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return QAccessible::RadioButton;
        default:
            return QAccessible::PushButton;
    }
}

// A group of radio buttons as a screen reader meets it: a grouping named by
// its label, holding its buttons. Nothing on the screen stands for it, so it
// is not a widget: it hangs on an anchor object in the client area, which
// takes it along when the window goes.
class RadioGroupAccessible final : public QAccessibleInterface {
  public:
    RadioGroupAccessible(QObject* anchor, QWidget* client, std::vector<HWND> buttons)
        : anchor_(anchor), client_(client), buttons_(std::move(buttons)) {}

    bool isValid() const override { return !anchor_.isNull() && !client_.isNull(); }
    QObject* object() const override { return anchor_; }
    QWindow* window() const override {
        const QWidget* client = client_.data();
        return client == nullptr ? nullptr : client->window()->windowHandle();
    }

    QAccessibleInterface* parent() const override {
        return client_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(client_);
    }
    int childCount() const override { return static_cast<int>(members().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> all = members();
        return index >= 0 && index < all.size() ? all[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return members().indexOf(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QAccessibleInterface* member : members()) {
            if (member->rect().contains(x, y)) {
                return member;
            }
        }
        return nullptr;
    }

    // Named and labelled by its label, whose name is its text.
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) {
            return {};
        }
        const QList<QObject*> labels = labelsOfGroup();
        QAccessibleInterface* label =
            labels.isEmpty() ? nullptr : QAccessible::queryAccessibleInterface(labels.front());
        return label != nullptr ? label->text(QAccessible::Name) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> found;
        if ((match & QAccessible::Label) != 0) {
            for (QObject* label : labelsOfGroup()) {
                if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(label)) {
                    found.append({i, QAccessible::Label});
                }
            }
        }
        return found;
    }

    QRect rect() const override {
        QRect all;
        for (QAccessibleInterface* member : members()) {
            all |= member->rect();
        }
        return all;
    }
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const QWidget* client = client_.data();
        s.invisible = client == nullptr || !client->isVisible();
        return s;
    }

    bool holds(HWND button) const {
        return std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end();
    }

  private:
    // The buttons' interfaces, in the order the client area holds them.
    QList<QAccessibleInterface*> members() const {
        QList<QAccessibleInterface*> found;
        const QWidget* client = client_.data();
        if (client == nullptr || !assistive().handleOf) {
            return found;
        }
        for (QObject* child : client->children()) {
            if (child->isWidgetType() && holds(assistive().handleOf(child))) {
                if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(child)) {
                    found.append(i);
                }
            }
        }
        return found;
    }
    QList<QObject*> labelsOfGroup() const {
        return assistive().labelsOf && !buttons_.empty() ? assistive().labelsOf(buttons_.front())
                                                         : QList<QObject*>{};
    }

    QPointer<QObject> anchor_;
    QPointer<QWidget> client_;
    std::vector<HWND> buttons_;
};

// A top-level window's client area: its controls, with each radio group in
// the place of its buttons.
class ClientAccessible final : public QAccessibleWidget {
  public:
    explicit ClientAccessible(QWidget* client) : QAccessibleWidget(client, QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> all = shown();
        return index >= 0 && index < all.size() ? all[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return shown().indexOf(child);
    }

    QAccessibleInterface* groupOf(HWND button) const { return groupOf(button, groups()); }

  private:
    std::vector<RadioGroup> groups() const {
        return assistive().handleOf ? radioGroups(assistive().handleOf(widget()->parent()))
                                    : std::vector<RadioGroup>{};
    }

    QAccessibleInterface* groupOf(HWND button, const std::vector<RadioGroup>& groups) const {
        for (const RadioGroup& group : groups) {
            if (std::find(group.buttons.begin(), group.buttons.end(), button) !=
                group.buttons.end()) {
                return interfaceFor(group);
            }
        }
        return nullptr;
    }

    QList<QAccessibleInterface*> shown() const {
        const std::vector<RadioGroup> radios = groups();
        QList<QAccessibleInterface*> all;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* c = QAccessibleWidget::child(i);
            const HWND handle = c != nullptr && c->object() != nullptr && assistive().handleOf
                                    ? assistive().handleOf(c->object())
                                    : nullptr;
            QAccessibleInterface* group = handle != nullptr ? groupOf(handle, radios) : nullptr;
            if (group == nullptr) {
                all.append(c);
            } else if (!all.contains(group)) {
                all.append(group);
            }
        }
        return all;
    }

    QAccessibleInterface* interfaceFor(const RadioGroup& group) const {
        QPointer<QObject>& anchor = anchors_[group.buttons.front()];
        if (anchor.isNull()) {
            anchor = new QObject(widget());
            QAccessible::registerAccessibleInterface(
                new RadioGroupAccessible(anchor, widget(), group.buttons));
        }
        return QAccessible::queryAccessibleInterface(anchor);
    }

    mutable std::map<HWND, QPointer<QObject>> anchors_;  // by the group's first button
};

// The radio group a button belongs to in its window's client area, or null.
QAccessibleInterface* radioGroupOf(const QObject* object) {
    const auto* button = qobject_cast<const QWidget*>(object);
    const QWidget* client = button == nullptr ? nullptr : button->parentWidget();
    auto* area = client == nullptr
                     ? nullptr
                     : dynamic_cast<ClientAccessible*>(
                           QAccessible::queryAccessibleInterface(const_cast<QWidget*>(client)));
    return area != nullptr && assistive().handleOf ? area->groupOf(assistive().handleOf(button))
                                                   : nullptr;
}

// A static text that labels no control: part of what its window says, such
// as the product and version lines of an About box.
bool isLooseText(HWND handle) {
    const Window* w = findWindow(handle);
    return w != nullptr && w->kind == ControlKind::Static && w->type() != SS_ICON &&
           w->type() != BS_GROUPBOX && assistive().labelFor &&
           assistive().labelFor(handle).isEmpty();
}

// A text just above a control heads a column of controls (a grid's column
// heading that names none of them on its own).
bool headsAControl(const QWidget* text) {
    const QRect at = text->geometry();
    for (const QObject* child : text->parentWidget()->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        const Window* control =
            w != nullptr && assistive().handleOf ? findWindow(assistive().handleOf(w)) : nullptr;
        if (control == nullptr || control->kind == ControlKind::Static ||
            (control->kind == ControlKind::Button && control->type() == BS_GROUPBOX)) {
            continue;
        }
        const QRect other = w->geometry();
        if (other.left() <= at.right() && at.left() <= other.right() && other.top() > at.bottom() &&
            other.top() <= at.bottom() + at.height()) {
            return true;
        }
    }
    return false;
}

// The loose texts of a window's client area, top to bottom, left to right.
QStringList looseTextsOf(const QWidget* client) {
    std::vector<const QWidget*> texts;
    for (const QObject* child : client->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w != nullptr && !w->isHidden() && assistive().handleOf &&
            isLooseText(assistive().handleOf(w)) && !headsAControl(w)) {
            texts.push_back(w);
        }
    }
    std::stable_sort(texts.begin(), texts.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    QStringList said;
    for (const QWidget* w : texts) {
        if (const QString text = w->accessibleName().trimmed(); !text.isEmpty()) {
            said.append(text);
        }
    }
    return said;
}

// What the view's controls have in common: the name the view worked out,
// the labels it came from, the focusable state and the focus action.
class ControlAccessible : public QAccessibleWidget {
  public:
    ControlAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    // The name without the blanks that place a text on the screen.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return widget()->accessibleName().trimmed();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = role() != QAccessible::Grouping && role() != QAccessible::StaticText &&
                      takesInput(handleOf(*this));
        return s;
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> found;
        const HWND handle = handleOf(*this);
        // Labelled by its labels; a label (a static text, a group box) labels
        // the controls it names. A radio group, not its buttons, takes its
        // label.
        const auto add = [&](QAccessible::Relation relation,
                             const std::function<QList<QObject*>(HWND)>& related) {
            if ((match & relation) == 0 || !related) {
                return;
            }
            for (QObject* other : related(handle)) {
                QAccessibleInterface* i = radioGroupOf(other);
                if (i == nullptr) {
                    i = QAccessible::queryAccessibleInterface(other);
                }
                if (i != nullptr && !found.contains({i, relation})) {
                    found.append({i, relation});
                }
            }
        };
        // A control named after several labels (a row's and a column's) is
        // labelled by none of them: screen readers say the first label they
        // find in the place of the name, and every control of a row would
        // sound alike.
        if (radioGroupOf(widget()) == nullptr && assistive().labelsOf &&
            assistive().labelsOf(handle).size() == 1) {
            add(QAccessible::Label, assistive().labelsOf);
        }
        add(QAccessible::Labelled, assistive().labelFor);
        // A loose text is part of its window's description, and labels the
        // window: screen readers read it there, in full, as the window opens,
        // rather than only those of its loose texts that look like sentences.
        if ((match & QAccessible::Labelled) != 0 && isLooseText(handle) &&
            !headsAControl(widget())) {
            if (QAccessibleInterface* window =
                    QAccessible::queryAccessibleInterface(widget()->window())) {
                found.append({window, QAccessible::Labelled});
            }
        }
        return found;
    }

    QStringList actionNames() const override {
        if (role() == QAccessible::Grouping || role() == QAccessible::StaticText ||
            !takesInput(handleOf(*this))) {
            return {};
        }
        return ownActions() << setFocusAction();
    }

    void doAction(const QString& action) override {
        const HWND handle = handleOf(*this);
        if (!actionNames().contains(action)) {
            return;  // refused: the control takes no input now
        }
        if (action == setFocusAction()) {
            assistive().focus(handle);
        } else {
            act(handle, action);
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  protected:
    virtual QStringList ownActions() const { return {}; }
    virtual void act(HWND, const QString&) {}
};

class ButtonAccessible final : public ControlAccessible {
  public:
    ButtonAccessible(QWidget* widget, QAccessible::Role role) : ControlAccessible(widget, role) {}

    QAccessibleInterface* parent() const override {
        QAccessibleInterface* group = radioGroupOf(widget());
        return group != nullptr ? group : ControlAccessible::parent();
    }

    QAccessible::State state() const override {
        QAccessible::State s = ControlAccessible::state();
        const Window* w = findWindow(handleOf(*this));
        if (w == nullptr) {
            return s;
        }
        if (role() == QAccessible::CheckBox || role() == QAccessible::RadioButton) {
            s.checkable = true;
            s.checked = w->check == BST_CHECKED;
            s.checkStateMixed = w->check == BST_INDETERMINATE;
        }
        if (const auto* push = qobject_cast<const QPushButton*>(widget())) {
            s.defaultButton = push->isDefault();
        }
        s.pressed = w->pushed;
        return s;
    }

  protected:
    // A press or a toggle is what a click does to the control.
    QStringList ownActions() const override {
        if (role() == QAccessible::PushButton) {
            return {pressAction()};
        }
        return {toggleAction(), pressAction()};
    }
    void act(HWND handle, const QString&) override { assistive().click(handle); }
};

// A drop-down list. Its current item is also offered as read-only text:
// screen readers that find no selection in a closed list read its value
// there.
class ListAccessible final : public ControlAccessible, public QAccessibleTextInterface {
  public:
    explicit ListAccessible(QWidget* widget) : ControlAccessible(widget, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return ControlAccessible::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return list()->currentText();
        }
        return ControlAccessible::text(t);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return list()->currentText().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(list()->currentText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QAccessible::State state() const override {
        QAccessible::State s = ControlAccessible::state();
        const Window* w = findWindow(handleOf(*this));
        s.hasPopup = true;
        s.expandable = true;
        s.expanded = w != nullptr && w->dropped;
        s.collapsed = !s.expanded;
        return s;
    }

    // The items, as the list that drops down shows them.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == list()->view() ? 0 : -1;
    }

  protected:
    QStringList ownActions() const override { return {pressAction()}; }
    // A press is a click: it opens the list, or closes an open one.
    void act(HWND handle, const QString&) override { assistive().click(handle); }

  private:
    const QComboBox* list() const { return static_cast<const QComboBox*>(widget()); }
};

// An edit box. Its text can be read and selected; text put in is typed, over
// the characters it replaces. A read-only box takes none, and announces a new
// text as a new value, as a screen reader expects of a field that shows a
// result.
class EditAccessible final : public ControlAccessible,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface,
                             public QAccessibleValueInterface {
  public:
    explicit EditAccessible(QWidget* widget)
        : ControlAccessible(widget, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface && !readOnly()) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        if (type == QAccessible::ValueInterface && readOnly()) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return ControlAccessible::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State s = ControlAccessible::state();
        s.readOnly = readOnly();
        s.editable = !readOnly();
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? edit()->text() : ControlAccessible::text(t);
    }

    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        const int size = characterCount();
        start = std::clamp(start, 0, size);
        end = std::clamp(end, start, size);
        if (!readOnly() && takesInput(handleOf(*this)) && (start < end || !text.isEmpty())) {
            assistive().typeOver(handleOf(*this), start, end, text);
        }
    }

    // Text: selecting it and moving the caret are the user's input, which the
    // view hands to the core.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + static_cast<int>(edit()->selectedText().size());
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int start, int end) override {
        edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return edit()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    QRect characterRect(int offset) const override {
        const QString shown = edit()->text();
        if (offset < 0 || offset >= shown.size()) {
            return {};
        }
        const QFontMetrics metrics = edit()->fontMetrics();
        const QRect area = edit()->contentsRect();
        const int x = area.left() + metrics.horizontalAdvance(shown.left(offset));
        const QRect local(x, area.top(), metrics.horizontalAdvance(shown.at(offset)),
                          area.height());
        return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // Value: the text, which no tool can set.
    QVariant currentValue() const override { return edit()->text(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

  private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    bool readOnly() const {
        const Window* w = findWindow(handleOf(*this));
        return w == nullptr || (w->style & ES_READONLY) != 0;
    }
};

// A top-level window: a dialog when made from a template, with the name of
// its caption (or of its contents when it has none), modal while its owner
// waits for it.
class WindowAccessible final : public QAccessibleWidget {
  public:
    WindowAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    // Described by its loose texts.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return widget()->accessibleName().isEmpty() ? widget()->windowTitle()
                                                        : widget()->accessibleName();
        }
        if (t == QAccessible::Description) {
            const auto* frame = dynamic_cast<const WindowFrame*>(widget());
            const QStringList texts =
                frame != nullptr ? looseTextsOf(frame->client()) : QStringList{};
            return texts.isEmpty() ? QString() : texts.join(QStringLiteral(". ")) + u'.';
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.modal = widget()->windowModality() != Qt::NonModal;
        return s;
    }
};

// What a window tells screen readers without moving the focus, such as the
// amounts a command has just shown: a notification, which they read when it
// shows. Nothing on the screen stands for it; it hangs on an anchor object in
// the window, which takes it along when the window goes.
class NotificationAccessible final : public QAccessibleInterface {
  public:
    NotificationAccessible(QObject* anchor, QWidget* window) : anchor_(anchor), window_(window) {}

    void setMessage(const QString& message) { message_ = message; }

    bool isValid() const override { return !anchor_.isNull() && !window_.isNull(); }
    QObject* object() const override { return anchor_; }
    QWindow* window() const override {
        return window_.isNull() ? nullptr : window_->windowHandle();
    }
    QAccessibleInterface* parent() const override {
        return window_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(window_);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? message_ : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

  private:
    QPointer<QObject> anchor_;
    QPointer<QWidget> window_;
    QString message_;
};

QAccessibleInterface* create(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (const auto* frame =
            widget != nullptr ? dynamic_cast<WindowFrame*>(widget->parentWidget()) : nullptr;
        frame != nullptr && frame->client() == widget && assistive().handleOf) {
        return new ClientAccessible(widget);
    }
    const HWND handle =
        widget != nullptr && assistive().handleOf ? assistive().handleOf(widget) : nullptr;
    const Window* w = findWindow(handle);
    if (w == nullptr) {
        return nullptr;
    }
    switch (w->kind) {
        case ControlKind::Button:
            return new ButtonAccessible(widget, buttonRole(*w));
        case ControlKind::ComboBox:
            return new ListAccessible(widget);
        case ControlKind::Edit:
            return new EditAccessible(widget);
        case ControlKind::Static:
            // A text that labels controls; an icon is Qt's own.
            if (w->type() != SS_ICON) {
                return new ControlAccessible(widget, QAccessible::StaticText);
            }
            return nullptr;
        case ControlKind::Window:
            if (!w->isChild()) {
                return new WindowAccessible(
                    widget, w->isDialog ? QAccessible::Dialog : QAccessible::Window);
            }
            return nullptr;
        default:
            return nullptr;  // Qt's own, which the view keeps in step
    }
}

}  // namespace

void announce(QWidget* widget, const QString& text) {
    QWidget* window = widget->window();
    const QString anchorName = QStringLiteral("quorvel_notification");
    auto* anchor = window->findChild<QObject*>(anchorName, Qt::FindDirectChildrenOnly);
    if (anchor == nullptr) {
        anchor = new QObject(window);
        anchor->setObjectName(anchorName);
        QAccessible::registerAccessibleInterface(new NotificationAccessible(anchor, window));
    }
    auto* notification =
        static_cast<NotificationAccessible*>(QAccessible::queryAccessibleInterface(anchor));
    notification->setMessage(text);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void installAccessibleInterfaces(AssistiveInput input) {
    static const bool installed = [] {
        QAccessible::installFactory(create);
        return true;
    }();
    (void)installed;
    assistive() = std::move(input);
}

}  // namespace quorvel::platform::qt
