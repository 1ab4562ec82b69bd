#pragma once

#include <QColor>

namespace vm::view_palette {

// The program's blue: window backgrounds and the dialogs' frames.
inline QColor background() { return QColor(109, 177, 241); }
// The light blue of message areas and button faces.
inline QColor light() { return QColor(221, 240, 255); }
// Borders and pressed buttons.
inline QColor dark() { return QColor(19, 121, 206); }

} // namespace vm::view_palette
