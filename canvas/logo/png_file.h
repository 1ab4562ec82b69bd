#pragma once

#include <QByteArray>
#include <QImage>

namespace vm::png_file {

// Small: for files a person receives. The fewest channels that hold the
// pixels exactly (a palette when there are at most 256 colours, grey when
// there is no colour, no alpha when all is opaque) at zlib's best level, no
// metadata. Fast: for work files only the converter reads again.
enum class Packing { Small, Fast };

// The picture as PNG bytes, lossless at 8 bits a channel (straight alpha);
// empty when it cannot be encoded. Safe on any thread.
QByteArray encode(const QImage& picture, Packing packing = Packing::Small);

} // namespace vm::png_file
