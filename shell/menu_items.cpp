#include "shell/menu_items.h"

namespace vm {

int MenuItems::AddItem(MenuItem item)
{
    item.id = nextId_++;
    items_.append(std::move(item));
    changed();
    return items_.last().id;
}

void MenuItems::ClearItems()
{
    items_.clear();
    changed();
}

int MenuItems::FindItem(const QString& key) const
{
    if (key.isEmpty())
        return 0;
    for (const MenuItem& item : items_)
        if (item.key == key)
            return item.id;
    return 0;
}

const MenuItem* MenuItems::item(int id) const
{
    for (const MenuItem& item : items_)
        if (item.id == id)
            return &item;
    return nullptr;
}

MenuItem* MenuItems::find(int id)
{
    for (MenuItem& item : items_)
        if (item.id == id)
            return &item;
    return nullptr;
}

QString MenuItems::ItemKey(int id) const
{
    const MenuItem* found = item(id);
    return found ? found->key : QString();
}

QString MenuItems::ItemCaption(int id) const
{
    const MenuItem* found = item(id);
    return found ? found->caption : QString();
}

void MenuItems::setItemCaption(int id, const QString& caption)
{
    if (MenuItem* found = find(id)) {
        found->caption = caption;
        changed();
    }
}

bool MenuItems::ItemEnabled(int id) const
{
    const MenuItem* found = item(id);
    return found && found->enabled;
}

void MenuItems::setItemEnabled(int id, bool enabled)
{
    if (MenuItem* found = find(id); found && found->enabled != enabled) {
        found->enabled = enabled;
        changed();
    }
}

void MenuItems::setItemEnabled(const QString& key, bool enabled)
{
    setItemEnabled(FindItem(key), enabled);
}

int MenuItems::ItemChecked(int id) const
{
    const MenuItem* found = item(id);
    return found ? found->checked : 0;
}

void MenuItems::setItemChecked(int id, int checked)
{
    if (MenuItem* found = find(id)) {
        found->checked = checked;
        changed();
    }
}

void MenuItems::setColors(const QList<QRgb>& colors)
{
    colors_ = colors;
    changed();
}

int MenuItems::findShortcut(int shift, int keyCode) const
{
    if (keyCode == 0)
        return 0;
    for (const MenuItem& item : items_)
        if (item.keyCode == keyCode && item.shift == shift)
            return item.id;
    return 0;
}

void MenuItems::click(int id)
{
    MenuItem* found = find(id);
    if (!found || !isReachable(id))
        return;
    if (found->style == menu_style::Check) {
        found->checked = found->checked == 1 ? 0 : 1;
        changed();
    }
    if (clickHandler_)
        clickHandler_(id);
}

bool MenuItems::isReachable(int id) const
{
    // A user reaches an item only through enabled items all the way up.
    for (const MenuItem* current = item(id); current; current = item(FindItem(current->parent))) {
        if (!current->enabled || !current->visible)
            return false;
        if (current->parent.isEmpty())
            return true;
    }
    return false;
}

void MenuItems::changed()
{
    if (changeHandler_)
        changeHandler_();
}

} // namespace vm
