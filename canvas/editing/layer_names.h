#pragma once

#include <QString>

namespace vm {

struct LogoElement;

// What the layers list calls an element the user has not named: its first
// line of text, its symbol's or picture's name, or its kind.
QString defaultLayerName(const LogoElement& element);

} // namespace vm
