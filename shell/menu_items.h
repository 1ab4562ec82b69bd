#pragma once

#include <QList>
#include <QRgb>
#include <QString>
#include <functional>

namespace vm {

namespace menu_style {
inline constexpr int Plain = 0;
inline constexpr int Icon = 1;
inline constexpr int Check = 2;
inline constexpr int Separator = 3;
} // namespace menu_style

namespace menu_shift {
inline constexpr int None = 0;
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
} // namespace menu_shift

struct MenuItem {
    int id = 0;
    QString parent;       // key of the parent item, "" for a top-level item
    QString key;          // "" for separators
    int style = menu_style::Plain;
    QString caption;
    QString picturePath;  // icon file, "" for none
    int shift = menu_shift::None;
    int keyCode = 0;      // virtual-key code of the shortcut, 0 for none
    int checked = 0;
    bool enabled = true;
    bool visible = true;
};

// The menu bar's item collection: items identified by key, with the item
// operations the host needs. A view (or a script) shows it and reports clicks.
class MenuItems {
public:
    using ClickHandler = std::function<void(int id)>;
    using ChangeHandler = std::function<void()>;

    int AddItem(MenuItem item);
    void ClearItems();
    int FindItem(const QString& key) const; // 0 when no item has the key
    QString ItemKey(int id) const;
    QString ItemCaption(int id) const;
    void setItemCaption(int id, const QString& caption);
    bool ItemEnabled(int id) const;
    void setItemEnabled(int id, bool enabled);
    // By key: a key the bar does not hold is ignored.
    void setItemEnabled(const QString& key, bool enabled);
    int ItemChecked(int id) const;
    void setItemChecked(int id, int checked);

    void setColors(const QList<QRgb>& colors);
    const QList<QRgb>& colors() const { return colors_; }

    const QList<MenuItem>& items() const { return items_; }
    const MenuItem* item(int id) const;

    // The item whose shortcut is (shift, keyCode), 0 when none.
    int findShortcut(int shift, int keyCode) const;

    // Enabled itself and under enabled parents: what a user can click.
    bool isReachable(int id) const;

    // The user clicked an item: a check item toggles first, then the click is raised.
    void click(int id);

    void onClick(ClickHandler handler) { clickHandler_ = std::move(handler); }
    // Views redraw on change; one handler, set by the view.
    void onChange(ChangeHandler handler) { changeHandler_ = std::move(handler); }

private:
    MenuItem* find(int id);
    void changed();

    QList<MenuItem> items_;
    QList<QRgb> colors_;
    int nextId_ = 1;
    ClickHandler clickHandler_;
    ChangeHandler changeHandler_;
};

} // namespace vm
