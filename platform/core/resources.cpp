#include "platform/core/resources.h"

#include <map>
#include <string>

namespace quorvel::platform {
namespace {

ResourceName nameOf(const NameRecord& record) {
    ResourceName name;
    name.number = record.number;
    name.text = record.text == nullptr ? "" : record.text;
    return name;
}

ControlTemplate controlOf(const ControlRecord& record) {
    ControlTemplate control;
    control.className = record.className;
    control.text = record.text;
    if (record.hasImage) {
        control.image = nameOf(record.image);
    }
    control.id = record.id;
    control.rect = record.rect;
    control.style = record.style;
    control.exStyle = record.exStyle;
    return control;
}

DialogTemplate dialogOf(const DialogRecord& record) {
    DialogTemplate dialog;
    dialog.name = nameOf(record.name);
    dialog.extended = record.extended;
    dialog.rect = record.rect;
    dialog.style = record.style;
    dialog.exStyle = record.exStyle;
    dialog.caption = record.caption;
    dialog.className = record.className;
    if (record.hasMenu) {
        dialog.menu = nameOf(record.menu);
    }
    dialog.fontName = record.fontName;
    dialog.fontPointSize = record.fontPointSize;
    for (std::size_t i = 0; i < record.controlCount; ++i) {
        dialog.controls.push_back(controlOf(record.controls[i]));
    }
    return dialog;
}

std::vector<MenuItem> menuItemsOf(const MenuItemRecord* records, std::size_t count) {
    std::vector<MenuItem> items;
    for (std::size_t i = 0; i < count; ++i) {
        const MenuItemRecord& record = records[i];
        MenuItem item;
        item.text = record.text;
        item.id = record.id;
        item.separator = record.separator;
        item.grayed = record.grayed;
        item.checked = record.checked;
        item.popup = record.popup;
        item.items = menuItemsOf(record.items, record.itemCount);
        items.push_back(std::move(item));
    }
    return items;
}

MenuResource menuOf(const MenuRecord& record) {
    return MenuResource{nameOf(record.name), menuItemsOf(record.items, record.itemCount)};
}

IconResource iconOf(const IconRecord& record) {
    return IconResource{nameOf(record.name), record.fileName,
                        std::string(reinterpret_cast<const char*>(record.bytes), record.size)};
}

// Looks name up among count records and gives the object made from the
// record found, made once and kept (windows hold pointers to them).
template <typename Record, typename Made, typename Matches>
const Made* lookUp(const Record* records, std::size_t count, std::map<const Record*, Made>& made,
                   Made (*make)(const Record&), const Matches& matches) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!matches(records[i].name)) {
            continue;
        }
        auto found = made.find(&records[i]);
        if (found == made.end()) {
            found = made.emplace(&records[i], make(records[i])).first;
        }
        return &found->second;
    }
    return nullptr;
}

struct Made {
    std::map<const DialogRecord*, DialogTemplate> dialogs;
    std::map<const MenuRecord*, MenuResource> menus;
    std::map<const IconRecord*, IconResource> icons;
};

Made& made() {
    static Made instance;
    return instance;
}

auto byName(LPCSTR name) {
    return [name](const NameRecord& record) {
        return name != nullptr && nameOf(record).matches(name);
    };
}

}  // namespace

const DialogTemplate* findDialogTemplate(LPCSTR name) {
    const ResourceTable& table = programResources();
    return lookUp(table.dialogs, table.dialogCount, made().dialogs, &dialogOf, byName(name));
}

const MenuResource* findMenu(LPCSTR name) {
    const ResourceTable& table = programResources();
    return lookUp(table.menus, table.menuCount, made().menus, &menuOf, byName(name));
}

const IconResource* findIcon(LPCSTR name) {
    const ResourceTable& table = programResources();
    return lookUp(table.icons, table.iconCount, made().icons, &iconOf, byName(name));
}

const char* findString(int id) {
    const ResourceTable& table = programResources();
    for (std::size_t i = 0; i < table.stringCount; ++i) {
        if (table.strings[i].id == id) {
            return table.strings[i].text;
        }
    }
    return nullptr;
}

}  // namespace quorvel::platform
