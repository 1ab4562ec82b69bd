#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace vm {

enum class ElementKind { Text, Symbol, Picture, Group };

// One thing on the stage. Position and size describe the unrotated box in
// stage units; rotation (degrees, clockwise) turns it about its centre.
// A group's children keep the coordinates they had when grouped; the group
// maps that box onto its own.
struct LogoElement {
    ElementKind kind = ElementKind::Text;
    QPointF position;
    QSizeF size{100, 40};
    double rotation = 0;

    // Text
    QString text;
    QString fontFamily;
    double fontSize = 24;
    bool bold = false;
    bool italic = false;
    // Text and symbol
    QColor color{Qt::black};
    // Symbol: catalogue path below datasrc, e.g. "ClipArts/Nature/leaf.svg"
    QString symbol;
    // Picture: file name inside LogoImages
    QString picture;
    // Group
    std::vector<LogoElement> children;

    // Runtime identity for selection; never saved.
    quint64 id = 0;

    QRectF box() const { return QRectF(position, size); }
    bool operator==(const LogoElement& other) const;
};

struct LogoDocument {
    QSize stageSize{507, 397};
    QColor background{Qt::white};
    std::vector<LogoElement> elements; // bottom first

    bool operator==(const LogoDocument& other) const
    {
        return stageSize == other.stageSize && background == other.background && elements == other.elements;
    }
};

// The box that a group's children span, in their own coordinates.
QRectF childrenBox(const LogoElement& group);

} // namespace vm
