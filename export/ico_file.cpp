#include "export/ico_file.h"

#include "canvas/logo/png_file.h"

#include <QtEndian>

namespace vm::ico_file {

namespace {
constexpr int headerSize = 6;
constexpr int entrySize = 16;
constexpr int largest = 256;

void put16(QByteArray& bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void put32(QByteArray& bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}
} // namespace

QByteArray encode(const QList<QImage>& pictures)
{
    QList<QByteArray> images;
    for (const QImage& picture : pictures) {
        if (picture.isNull() || picture.width() > largest || picture.height() > largest)
            return {};
        const QByteArray png = png_file::encode(picture);
        if (png.isEmpty())
            return {};
        images.append(png);
    }
    if (images.isEmpty())
        return {};
    QByteArray bytes;
    put16(bytes, 0); // reserved
    put16(bytes, 1); // an icon, not a cursor
    put16(bytes, quint16(images.size()));
    quint32 offset = quint32(headerSize + entrySize * images.size());
    for (qsizetype index = 0; index < images.size(); ++index) {
        const QImage& picture = pictures[index];
        bytes.append(char(picture.width() == largest ? 0 : picture.width())); // 0 stands for 256
        bytes.append(char(picture.height() == largest ? 0 : picture.height()));
        bytes.append(char(0)); // no palette
        bytes.append(char(0));
        put16(bytes, 1);  // colour planes
        put16(bytes, 32); // bits per pixel
        put32(bytes, quint32(images[index].size()));
        put32(bytes, offset);
        offset += quint32(images[index].size());
    }
    for (const QByteArray& png : images)
        bytes.append(png);
    return bytes;
}

QList<QSize> entrySizes(const QByteArray& bytes)
{
    if (bytes.size() < headerSize || qFromLittleEndian<quint16>(bytes.constData()) != 0
        || qFromLittleEndian<quint16>(bytes.constData() + 2) != 1)
        return {};
    const int count = qFromLittleEndian<quint16>(bytes.constData() + 4);
    if (bytes.size() < headerSize + entrySize * count)
        return {};
    QList<QSize> sizes;
    for (int index = 0; index < count; ++index) {
        const auto* entry = reinterpret_cast<const uchar*>(bytes.constData() + headerSize + entrySize * index);
        const quint32 length = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        if (quint64(offset) + length > quint64(bytes.size()))
            return {};
        sizes.append(QSize(entry[0] == 0 ? largest : entry[0], entry[1] == 0 ? largest : entry[1]));
    }
    return sizes;
}

} // namespace vm::ico_file
