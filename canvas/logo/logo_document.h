#pragma once

#include <QColor>
#include <QBrush>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace vm {

enum class ElementKind { Text, Symbol, Picture, Group, Shape };

enum class ShapeType { Rectangle, RoundedRectangle, Ellipse, Line, Polygon, Star };
enum class TextAlignment { Left, Centre, Right };
enum class TextCase { AsTyped, Upper, Lower };

// How a text or shape is painted inside its box. A solid fill uses the
// element's colour; a gradient spans the element's box.
struct Fill {
    enum class Kind { Solid, Linear, Radial };
    Kind kind = Kind::Solid;
    double angle = 0;      // linear: degrees clockwise, 0 runs left to right
    QGradientStops stops;  // gradients: offsets 0..1 in ascending order

    bool isGradient() const { return kind != Kind::Solid && stops.size() >= 2; }
    bool operator==(const Fill& other) const = default;
};

// A soft shadow cast below the element's drawing.
struct Shadow {
    bool enabled = false;
    QColor color{0, 0, 0, 110};
    QPointF offset{3, 3};
    double blur = 4; // stage units

    bool operator==(const Shadow& other) const = default;
};

// One thing on the stage. Position and size describe the unrotated box in
// stage units; rotation (degrees, clockwise) turns it about its centre.
// A group's children keep the coordinates they had when grouped; the group
// maps that box onto its own.
struct LogoElement {
    ElementKind kind = ElementKind::Text;
    QPointF position;
    QSizeF size{100, 40};
    double rotation = 0;

    // Every kind
    QString name; // what the layers list shows; empty for the automatic name
    bool locked = false;
    bool hidden = false;
    bool flipHorizontal = false;
    bool flipVertical = false;
    double opacity = 1; // 0..1
    Shadow shadow;

    // Text (may hold several lines)
    QString text;
    QString fontFamily;
    double fontSize = 24;
    bool bold = false;
    bool italic = false;
    double arcRadius = 0;     // font pixels; 0 is straight, negative bends down
    double letterSpacing = 0; // font pixels added after each letter
    double lineSpacing = 1;   // times the font's line spacing
    TextAlignment alignment = TextAlignment::Left;
    TextCase textCase = TextCase::AsTyped;
    // Text, symbol and shape: the solid colour
    QColor color{Qt::black};
    // Text and shape
    Fill fill;
    QColor strokeColor{Qt::black};
    double strokeWidth = 0; // 0 draws no outline
    // Shape
    ShapeType shapeType = ShapeType::Rectangle;
    double cornerRadius = 12; // rounded rectangle, stage units
    int sides = 6;            // polygon
    int points = 5;           // star
    double innerRatio = 0.5;  // star: inner radius over outer radius
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
    // A fully transparent background keeps its colour for when it is made opaque again.
    QColor background{Qt::white};
    std::vector<LogoElement> elements; // bottom first

    bool backgroundTransparent() const { return background.isValid() && background.alpha() == 0; }
    bool operator==(const LogoDocument& other) const
    {
        return stageSize == other.stageSize && background == other.background && elements == other.elements;
    }
};

// The box that a group's children span, in their own coordinates.
QRectF childrenBox(const LogoElement& group);

// The text cut to limits::maxTextLength, never inside a surrogate pair.
QString withinTextLimit(QString text);

// Limits every reader and editor keeps values within.
namespace limits {
inline constexpr double maxArcRadius = 100000;
inline constexpr double maxSpacing = 1000;
inline constexpr double minLineSpacing = 0.1, maxLineSpacing = 10;
inline constexpr double maxStrokeWidth = 500;
inline constexpr double maxBlur = 200, maxShadowOffset = 1000;
inline constexpr double maxCornerRadius = 100000;
inline constexpr int minSides = 3, maxSides = 64;
inline constexpr double minInnerRatio = 0.05, maxInnerRatio = 0.95;
inline constexpr int maxGradientStops = 32;
// UTF-16 units of one text: pages beyond any logo's words, so only a damaged
// or hostile file reaches it, and such a text still opens and draws quickly.
inline constexpr qsizetype maxTextLength = 10000;
} // namespace limits

} // namespace vm
