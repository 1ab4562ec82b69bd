#pragma once

#include <Qt>
#include <QString>

namespace vm::virtual_keys {

// Menu shortcuts are stored as Windows virtual-key codes with a shift mask
// (1 Shift, 2 Ctrl, 4 Alt). These translate between them and Qt's keys.

// The virtual-key code of a Qt key, 0 when it has none. With Shift held, the
// shifted digits of a US layout ("!" for 1) count as their digit keys.
int fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
int shiftMask(Qt::KeyboardModifiers modifiers);

// "Ctrl+S", "Del", "Shift+1", "F1": the text a menu shows beside an item.
QString shortcutText(int shift, int keyCode);

} // namespace vm::virtual_keys
