#pragma once

#include <QString>

namespace vm {

// name when nothing in folder has it yet, else name with the first free
// counter before its extension ("1252024photo-2.png"): an uploaded or cropped
// picture never replaces one that a saved logo may use.
QString unusedName(const QString& folder, const QString& name);

} // namespace vm
