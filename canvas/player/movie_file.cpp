#include "canvas/player/movie_file.h"

#include <QFile>

namespace vm {

namespace {
// The stage rectangle: a 5-bit field width, then xmin, xmax, ymin, ymax in twips.
QSize readStage(const QByteArray& bytes, int offset)
{
    int bit = offset * 8;
    const auto take = [&](int count) {
        quint32 value = 0;
        for (int i = 0; i < count; ++i, ++bit) {
            const int byteIndex = bit / 8;
            if (byteIndex >= bytes.size())
                return quint32(0);
            value = (value << 1) | ((quint8(bytes[byteIndex]) >> (7 - bit % 8)) & 1);
        }
        return value;
    };
    const int width = int(take(5));
    if (width == 0)
        return {};
    const auto signedField = [&] {
        const quint32 raw = take(width);
        const quint32 sign = quint32(1) << (width - 1);
        return int((raw ^ sign) - sign);
    };
    const int xMin = signedField();
    const int xMax = signedField();
    const int yMin = signedField();
    const int yMax = signedField();
    return QSize((xMax - xMin) / 20, (yMax - yMin) / 20);
}
} // namespace

MovieHeader readMovieHeader(const QString& path)
{
    MovieHeader header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    const QByteArray bytes = file.read(64);
    if (bytes.size() < 8)
        return header;
    const QByteArray signature = bytes.left(3);
    if (signature != "FWS" && signature != "CWS" && signature != "ZWS")
        return header;
    header.valid = true;
    header.version = quint8(bytes[3]);
    if (signature == "FWS")
        header.stageSize = readStage(bytes, 8);
    return header;
}

} // namespace vm
