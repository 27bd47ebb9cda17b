#include "platform/core/accessible_names.h"

#include <algorithm>
#include <vector>

#include "platform/core/view.h"

namespace quorvel::platform {
namespace {

// A closed drop-down list is about this tall; its template height includes
// the dropped-down part.
constexpr int kClosedListHeight = 12;

struct Box {
    int left, top, right, bottom;
    int centreX() const { return (left + right) / 2; }
    int centreY() const { return (top + bottom) / 2; }
};

Box boxOf(const Window& w) {
    const int height =
        w.kind == ControlKind::ComboBox ? std::min(w.rect.cy, kClosedListHeight) : w.rect.cy;
    return Box{w.rect.x, w.rect.y, w.rect.x + w.rect.cx, w.rect.y + height};
}

bool isLabel(const Window& w) {
    return w.kind == ControlKind::Static && w.type() != SS_ICON && !w.text.empty();
}

bool isGroupBox(const Window& w) {
    return w.kind == ControlKind::Button && w.type() == BS_GROUPBOX;
}

bool isRadioButton(const Window& w) {
    return w.kind == ControlKind::Button &&
           (w.type() == BS_RADIOBUTTON || w.type() == BS_AUTORADIOBUTTON);
}

bool namedByOwnText(const Window& w) {
    return (w.kind == ControlKind::Button || w.kind == ControlKind::Static) && !w.text.empty();
}

struct Labels {
    std::vector<const Window*> controls;  // every control of the dialog in a dialog-unit rect

    // The nearest label on the control's row, to its left or else its right;
    // beside is set when no other control stands between the two.
    const Window* rowLabel(const Window& control, bool& beside) const {
        const Box c = boxOf(control);
        const Window* best = nullptr;
        for (int side = 0; side < 2 && best == nullptr; ++side) {
            for (const Window* w : controls) {
                const Box b = boxOf(*w);
                const bool onRow = b.top <= c.centreY() && c.centreY() <= b.bottom;
                const bool placed = side == 0 ? b.right <= c.left + 1 : b.left >= c.right - 1;
                if (!isLabel(*w) || !onRow || !placed) {
                    continue;
                }
                const bool nearer = best == nullptr || (side == 0 ? b.right > boxOf(*best).right
                                                                  : b.left < boxOf(*best).left);
                if (nearer) {
                    best = w;
                }
            }
        }
        beside = best != nullptr;
        if (best != nullptr) {
            const Box l = boxOf(*best);
            const int from = std::min(l.right, c.right);
            const int to = std::max(l.left, c.left);
            for (const Window* w : controls) {
                const Box b = boxOf(*w);
                if (w != &control && w != best && !isGroupBox(*w) && b.top <= c.centreY() &&
                    c.centreY() <= b.bottom && b.left >= from && b.right <= to) {
                    beside = false;
                }
            }
        }
        return best;
    }

    // The nearest label above whose width spans the control's centre, in the
    // same group box: a heading outside it belongs to other controls.
    const Window* columnLabel(const Window& control) const {
        const Box c = boxOf(control);
        const Window* group = groupBox(control);
        const Window* best = nullptr;
        for (const Window* w : controls) {
            const Box b = boxOf(*w);
            if (isLabel(*w) && b.bottom <= c.top + 1 && b.left <= c.centreX() &&
                c.centreX() <= b.right && groupBox(*w) == group &&
                (best == nullptr || b.bottom > boxOf(*best).bottom)) {
                best = w;
            }
        }
        return best;
    }

    // The smallest group box around the control.
    const Window* groupBox(const Window& control) const {
        const Box c = boxOf(control);
        const Window* best = nullptr;
        for (const Window* w : controls) {
            const Box b = boxOf(*w);
            if (isGroupBox(*w) && !w->text.empty() && b.left <= c.left && b.top <= c.top &&
                c.right <= b.right && c.bottom <= b.bottom &&
                (best == nullptr || w->rect.cx * w->rect.cy < best->rect.cx * best->rect.cy)) {
                best = w;
            }
        }
        return best;
    }

    AccessibleName nameOf(const Window& control) const {
        if (namedByOwnText(control)) {
            return {withoutMnemonics(control.text), {}};
        }
        bool beside = false;
        const Window* row = rowLabel(control, beside);
        const Window* column = columnLabel(control);
        if (row != nullptr) {
            const std::string rowName = withoutMnemonics(row->text);
            if (column == nullptr || (beside && !headsRow(*column, control, rowName))) {
                return {rowName, {row->handle}};
            }
            return {rowName + " " + withoutMnemonics(column->text), {row->handle, column->handle}};
        }
        if (column != nullptr) {
            return {withoutMnemonics(column->text), {column->handle}};
        }
        if (const Window* group = groupBox(control); group != nullptr) {
            return {withoutMnemonics(group->text), {group->handle}};
        }
        return {control.text, {}};
    }

    // A heading above a control and no wider than it, a grid's column, names
    // it along with the label beside it, unless the label starts with it.
    static bool headsRow(const Window& column, const Window& control, const std::string& rowName) {
        const std::string heading = withoutMnemonics(column.text);
        const Box c = boxOf(control);
        const Box h = boxOf(column);
        return c.left <= h.left && h.right <= c.right &&
               rowName.compare(0, heading.size(), heading) != 0;
    }
};

// The dialog's controls laid out in dialog units, and its up-down controls.
Labels controlsOf(const Window& dialog, std::vector<const Window*>* upDowns = nullptr) {
    Labels labels;
    for (HWND child : dialog.children) {
        const Window* w = findWindow(child);
        if (w == nullptr) {
            continue;
        }
        if (w->kind == ControlKind::UpDown) {
            if (upDowns != nullptr) {
                upDowns->push_back(w);
            }
        } else if (w->inDialogUnits) {
            labels.controls.push_back(w);
        }
    }
    return labels;
}

std::vector<RadioGroup> radioGroupsOf(const Window& dialog, const Labels& labels) {
    std::vector<RadioGroup> groups;
    const Window* before = nullptr;  // the control before this one in the template
    bool inGroup = false;
    for (HWND child : dialog.children) {
        const Window* w = findWindow(child);
        if (w == nullptr) {
            continue;
        }
        if (!isRadioButton(*w)) {
            inGroup = false;
        } else if (!inGroup || (w->style & WS_GROUP) != 0) {
            RadioGroup group;
            if (before != nullptr && isLabel(*before)) {
                group.label = before->handle;
            } else if (const Window* box = w->inDialogUnits ? labels.groupBox(*w) : nullptr) {
                group.label = box->handle;
            }
            groups.push_back(std::move(group));
            groups.back().buttons.push_back(w->handle);
            inGroup = true;
        } else {
            groups.back().buttons.push_back(w->handle);
        }
        before = w;
    }
    return groups;
}

}  // namespace

std::string withoutMnemonics(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

std::vector<RadioGroup> radioGroups(HWND dialog) {
    const Window* d = findWindow(dialog);
    return d == nullptr ? std::vector<RadioGroup>{} : radioGroupsOf(*d, controlsOf(*d));
}

std::map<HWND, AccessibleName> accessibleNames(HWND dialog) {
    std::map<HWND, AccessibleName> names;
    const Window* d = findWindow(dialog);
    if (d == nullptr) {
        return names;
    }
    std::vector<const Window*> upDowns;
    const Labels labels = controlsOf(*d, &upDowns);
    for (const Window* w : labels.controls) {
        AccessibleName named = labels.nameOf(*w);
        if (named.name.empty() && w->kind == ControlKind::Edit && (w->style & ES_READONLY) != 0) {
            // A box that only shows the dialog's answer.
            named.name = windowName(dialog);
        }
        names[w->handle] = std::move(named);
    }
    // A radio button is labelled by its group's label.
    for (const RadioGroup& group : radioGroupsOf(*d, labels)) {
        for (HWND button : group.buttons) {
            if (const auto named = names.find(button);
                named != names.end() && group.label != nullptr) {
                named->second.labels = {group.label};
            }
        }
    }
    // Arrows are named after the box they step.
    for (const Window* w : upDowns) {
        const auto buddy = names.find(w->buddy);
        names[w->handle] = buddy != names.end() ? buddy->second : AccessibleName{};
    }
    return names;
}

std::string windowName(HWND window) {
    const Window* d = findWindow(window);
    if (d == nullptr) {
        return {};
    }
    if (!d->text.empty()) {
        return d->text;
    }
    for (const bool groups : {true, false}) {
        for (HWND child : d->children) {
            const Window* w = findWindow(child);
            if (w != nullptr && !w->text.empty() && (groups ? isGroupBox(*w) : isLabel(*w))) {
                return withoutMnemonics(w->text);
            }
        }
    }
    return {};
}

}  // namespace quorvel::platform
