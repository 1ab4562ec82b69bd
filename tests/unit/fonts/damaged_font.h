#pragma once

#include <QByteArray>
#include <QtEndian>

namespace vm::test {

// A TrueType font whose glyph and location tables are overwritten with fill
// bytes, its name and character tables intact: 0xff puts every glyph past the
// end of the glyph table, 0 leaves every glyph empty.
inline QByteArray withDamagedGlyphs(QByteArray font, char fill)
{
    if (font.size() < 12)
        return font;
    const int tables = qFromBigEndian<quint16>(font.constData() + 4);
    for (int index = 0; index < tables && 12 + 16 * (index + 1) <= font.size(); ++index) {
        const char* entry = font.constData() + 12 + 16 * index;
        const QByteArray tag(entry, 4);
        const quint32 offset = qFromBigEndian<quint32>(entry + 8), length = qFromBigEndian<quint32>(entry + 12);
        if ((tag == "glyf" || tag == "loca") && qint64(offset) + length <= font.size())
            font.replace(qsizetype(offset), qsizetype(length), QByteArray(qsizetype(length), fill));
    }
    return font;
}

} // namespace vm::test
