#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The host writes file filters the Windows way: description and pattern
// separated by "|", pairs separated by "|" too, several patterns by ";":
//   "Vantamorph Logos (*.vmp)| *.vmp|Pictures|*.bmp;*.jpg"
// Qt wants one "Description (*.a *.b)" entry per pair.
QStringList qtNameFilters(const QString& windowsFilter);

} // namespace vm
