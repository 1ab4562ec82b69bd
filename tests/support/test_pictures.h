#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>

namespace vm::test {

// The bytes of a picture of one colour (see-through if the colour is) in a format Qt writes.
inline QByteArray encodedPicture(QSize size, const QColor& colour, const char* format = "PNG")
{
    QImage picture(size, colour.alpha() < 255 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

} // namespace vm::test
