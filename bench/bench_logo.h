#pragma once

// What the canvas benchmarks load: a minimal movie and a large logo.
#include "canvas/logo/logo_document.h"

#include <QByteArray>

namespace vm::bench {

// The smallest movie the player accepts: header, 507 x 397 stage, one frame.
inline QByteArray minimalMovie()
{
    QByteArray movie("FWS");
    movie.append(char(6));
    movie.append(QByteArray(4, '\0'));
    movie.append(QByteArray::fromHex("780004f380000f8200"));
    movie.append(QByteArray::fromHex("000c010040000000"));
    for (int i = 0; i < 4; ++i)
        movie[4 + i] = char((quint32(movie.size()) >> (8 * i)) & 0xff);
    return movie;
}

inline LogoDocument bigLogo(int count)
{
    LogoDocument logo;
    for (int index = 0; index < count; ++index) {
        LogoElement element;
        element.position = QPointF(index % 50 * 10.5, index / 50 * 19.25);
        element.size = QSizeF(40 + index % 7, 20 + index % 5);
        element.rotation = index % 36 * 10;
        switch (index % 3) {
        case 0:
            element.kind = ElementKind::Text;
            element.text = QStringLiteral("Text number %1").arg(index);
            element.fontFamily = QStringLiteral("DejaVu Sans");
            element.fontSize = 12 + index % 30;
            element.bold = index % 2;
            element.color = QColor::fromHsv(index % 360, 200, 180);
            break;
        case 1:
            element.kind = ElementKind::Symbol;
            element.symbol = QStringLiteral("ClipArts/Geometric/star.svg");
            element.color = QColor::fromHsv(index % 360, 150, 220);
            break;
        default:
            element.kind = ElementKind::Picture;
            element.picture = QStringLiteral("picture%1.png").arg(index % 10);
        }
        logo.elements.push_back(element);
    }
    return logo;
}

} // namespace vm::bench
