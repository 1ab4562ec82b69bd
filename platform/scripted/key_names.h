#pragma once

#include <QString>
#include <optional>

namespace vm {

struct KeyChord {
    int shift = 0;   // menu_shift bits: 1 Shift, 2 Ctrl
    int keyCode = 0; // virtual-key code
    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// "Ctrl+S", "Shift+1", "Delete", "F1": modifiers joined by '+', then one key.
// Names compare without regard to case. Empty when the name is not a key.
std::optional<KeyChord> parseKeyName(const QString& name);

} // namespace vm
