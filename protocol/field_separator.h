#pragma once

#include <QChar>

namespace vm {

// Separates the fields of one argument between the program and its canvas
// ("path æ logo", "face æ list"): a character no path or command contains.
inline constexpr QChar fieldSeparator{char16_t(0x00E6)};

} // namespace vm
