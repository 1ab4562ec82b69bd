#pragma once

#include <QList>
#include <QRgb>
#include <QString>

namespace vm {

// Where a menu item's caption comes from.
enum class CaptionSource {
    Language,      // the menu-caption cache, under the item's own key
    LanguageOfKey, // the menu-caption cache, under another key (captionKey)
    Fixed,         // the fixed text in captionKey
    None,          // separators
};

struct MenuTreeEntry {
    QString parent;     // "" for a top-level item
    QString key;        // "" for separators
    int style;
    QString icon;       // picture name in Images/, "" for none
    int shift;
    int keyCode;
    int checked;
    CaptionSource source;
    QString captionKey; // see CaptionSource
};

// The whole menu bar in creation order.
const QList<MenuTreeEntry>& menuTree();

// The colours set on the bar after the items, in order.
const QList<QRgb>& menuBarColors();

// Items switched together.
const QStringList& panelGroup();
const QStringList& editingGroup();
const QStringList& activateGroup();

} // namespace vm
