#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace vm::ico_file {

// An icon file holding each picture as a PNG-compressed entry (valid since
// Windows Vista and read by every browser). Pictures above 256 pixels are
// refused: the directory cannot name their size. Empty on failure.
QByteArray encode(const QList<QImage>& pictures);

// The entries' sizes as the directory names them; empty when bytes is not an icon file.
QList<QSize> entrySizes(const QByteArray& bytes);

} // namespace vm::ico_file
