#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QWidget;

namespace vm::editor_look {

// One look for the editor, its panels, the template gallery and the symbol browser.
inline const QColor accent(19, 121, 206);
inline const QColor desk(221, 236, 248);
inline const QColor ink(0x2b, 0x46, 0x63);

// A built-in icon by its name ("align-left"), drawn in the editor's ink;
// grey when disabled, the accent colour when checked.
QIcon icon(const QString& name);
// The same in the accent colour: a state that is on (locked, hidden).
QIcon activeIcon(const QString& name);

// The style sheet every editor window uses. Widgets opt into a role with the
// "look" property: panel, panelTitle, categories, designs, primary, swatch, hint.
QString styleSheet();
void setLook(QWidget* widget, const char* look);

} // namespace vm::editor_look
