#include "canvas/editing/logo_editor.h"

namespace vm {

void LogoEditor::changeSelected(const QString& label, const std::function<bool(LogoElement&)>& change, bool mergeable)
{
    edit(
        label,
        [&](LogoDocument& document) {
            bool changed = false;
            for (LogoElement& element : document.elements)
                if (selection_.contains(element.id))
                    changed = change(element) || changed;
            return changed;
        },
        mergeable);
}

void LogoEditor::setColor(const QColor& color)
{
    changeSelected(tr("Change Colour"), [&](LogoElement& element) {
        const auto recolour = [&](LogoElement& target, auto& self) -> bool {
            bool changed = false;
            if (target.kind != ElementKind::Text && target.kind != ElementKind::Symbol && target.kind != ElementKind::Shape)
                return false;
            if (target.color != color) {
                target.color = color;
                changed = true;
            }
            // A colour picked for a gradient-filled element paints it in that colour.
            if (target.fill.kind != Fill::Kind::Solid) {
                target.fill.kind = Fill::Kind::Solid;
                changed = true;
            }
            for (LogoElement& child : target.children)
                changed = self(child, self) || changed;
            return changed;
        };
        return recolour(element, recolour);
    });
}

void LogoEditor::setBackground(const QColor& color)
{
    edit(tr("Change Background"), [&](LogoDocument& document) {
        if (document.background == color)
            return false;
        document.background = color;
        return true;
    });
}

void LogoEditor::setBackgroundTransparent(bool transparent)
{
    QColor colour = document_.background.isValid() ? document_.background : QColor(Qt::white);
    colour.setAlpha(transparent ? 0 : 255);
    edit(tr("Transparent Background"), [&](LogoDocument& document) {
        if (document.background == colour)
            return false;
        document.background = colour;
        return true;
    });
}

namespace {
bool paintsFill(const LogoElement& element) { return element.kind == ElementKind::Text || element.kind == ElementKind::Shape; }

// A text's box after a change of layout: the same stretch, the same centre.
void refit(LogoElement& text, const QSizeF& oldNatural, const QSizeF& natural)
{
    const QPointF centre = text.box().center();
    text.size = QSizeF(natural.width() * text.size.width() / oldNatural.width(),
                       natural.height() * text.size.height() / oldNatural.height());
    text.position = centre - QPointF(text.size.width() / 2, text.size.height() / 2);
}
} // namespace

template <typename Value>
void LogoEditor::changeField(const QString& label, ElementKind kind, Value LogoElement::*field, Value value, FieldChange change)
{
    const bool font = change == FieldChange::Font;
    changeSelected(
        label,
        [&](LogoElement& element) {
            if (element.kind != kind || element.*field == value)
                return false;
            const bool text = kind == ElementKind::Text;
            const QSizeF oldNatural = text && !font ? renderer_.textSize(element) : QSizeF();
            element.*field = value;
            if (text && font)
                element.size = renderer_.textSize(element);
            else if (text)
                refit(element, oldNatural, renderer_.textSize(element));
            return true;
        },
        !font);
}

void LogoEditor::setFontFamily(const QString& family)
{
    changeField(tr("Change Font"), ElementKind::Text, &LogoElement::fontFamily, family, FieldChange::Font);
}

void LogoEditor::setFontSize(double size)
{
    if (size < 1)
        return;
    changeField(tr("Change Font Size"), ElementKind::Text, &LogoElement::fontSize, size, FieldChange::Font);
}

void LogoEditor::setBold(bool bold) { changeField(tr("Bold"), ElementKind::Text, &LogoElement::bold, bold, FieldChange::Font); }

void LogoEditor::setItalic(bool italic) { changeField(tr("Italic"), ElementKind::Text, &LogoElement::italic, italic, FieldChange::Font); }

void LogoEditor::setOpacity(double opacity)
{
    opacity = std::clamp(opacity, 0.0, 1.0);
    changeSelected(
        tr("Change Opacity"),
        [&](LogoElement& element) { return std::exchange(element.opacity, opacity) != opacity; },
        true);
}

void LogoEditor::setFill(const Fill& requested)
{
    Fill fill = requested;
    std::stable_sort(fill.stops.begin(), fill.stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (QGradientStop& stop : fill.stops)
        stop.first = std::clamp(stop.first, 0.0, 1.0);
    fill.stops = fill.stops.mid(0, limits::maxGradientStops);
    changeSelected(
        tr("Change Fill"),
        [&](LogoElement& element) { return paintsFill(element) && std::exchange(element.fill, fill) != fill; },
        true);
}

void LogoEditor::setOutline(const QColor& color, double width)
{
    width = std::clamp(width, 0.0, limits::maxStrokeWidth);
    changeSelected(
        tr("Change Outline"),
        [&](LogoElement& element) {
            if (!paintsFill(element) || (element.strokeColor == color && element.strokeWidth == width))
                return false;
            const bool text = element.kind == ElementKind::Text;
            const QSizeF oldNatural = text ? renderer_.textSize(element) : QSizeF();
            element.strokeColor = color;
            element.strokeWidth = width;
            if (text)
                refit(element, oldNatural, renderer_.textSize(element));
            return true;
        },
        true);
}

void LogoEditor::setShadow(const Shadow& requested)
{
    Shadow shadow = requested;
    shadow.blur = std::clamp(shadow.blur, 0.0, limits::maxBlur);
    shadow.offset = QPointF(std::clamp(shadow.offset.x(), -limits::maxShadowOffset, limits::maxShadowOffset),
                            std::clamp(shadow.offset.y(), -limits::maxShadowOffset, limits::maxShadowOffset));
    changeSelected(
        tr("Change Shadow"),
        [&](LogoElement& element) { return std::exchange(element.shadow, shadow) != shadow; },
        true);
}

void LogoEditor::setArcRadius(double radius)
{
    changeField(tr("Curve Text"), ElementKind::Text, &LogoElement::arcRadius, std::clamp(radius, -limits::maxArcRadius, limits::maxArcRadius));
}

void LogoEditor::setLetterSpacing(double spacing)
{
    changeField(tr("Letter Spacing"), ElementKind::Text, &LogoElement::letterSpacing, std::clamp(spacing, -limits::maxSpacing, limits::maxSpacing));
}

void LogoEditor::setLineSpacing(double spacing)
{
    changeField(tr("Line Spacing"), ElementKind::Text, &LogoElement::lineSpacing, std::clamp(spacing, limits::minLineSpacing, limits::maxLineSpacing));
}

void LogoEditor::setAlignment(TextAlignment alignment) { changeField(tr("Align Text"), ElementKind::Text, &LogoElement::alignment, alignment); }

void LogoEditor::setTextCase(TextCase textCase) { changeField(tr("Change Case"), ElementKind::Text, &LogoElement::textCase, textCase); }

void LogoEditor::setCornerRadius(double radius)
{
    changeField(tr("Corner Radius"), ElementKind::Shape, &LogoElement::cornerRadius, std::clamp(radius, 0.0, limits::maxCornerRadius));
}

void LogoEditor::setCorners(int corners)
{
    corners = std::clamp(corners, limits::minSides, limits::maxSides);
    changeSelected(
        tr("Change Corners"),
        [&](LogoElement& element) {
            if (element.kind != ElementKind::Shape)
                return false;
            if (element.shapeType == ShapeType::Star)
                return std::exchange(element.points, corners) != corners;
            return element.shapeType == ShapeType::Polygon && std::exchange(element.sides, corners) != corners;
        },
        true);
}

void LogoEditor::setInnerRatio(double ratio)
{
    changeField(tr("Star Depth"), ElementKind::Shape, &LogoElement::innerRatio, std::clamp(ratio, limits::minInnerRatio, limits::maxInnerRatio));
}

QList<QColor> LogoEditor::paletteColors() const
{
    QList<QColor> colours;
    const auto add = [&](const QColor& colour) {
        if (colour.isValid() && colour.alpha() > 0) {
            const QColor opaque = QColor::fromRgb(colour.rgb());
            if (!colours.contains(opaque))
                colours.append(opaque);
        }
    };
    const auto visit = [&](const LogoElement& element, auto& self) -> void {
        if (element.kind == ElementKind::Text || element.kind == ElementKind::Shape || element.kind == ElementKind::Symbol) {
            if (element.fill.isGradient() && element.kind != ElementKind::Symbol)
                for (const QGradientStop& stop : element.fill.stops)
                    add(stop.second);
            else
                add(element.color);
        }
        if (paintsFill(element) && element.strokeWidth > 0)
            add(element.strokeColor);
        for (const LogoElement& child : element.children)
            self(child, self);
    };
    add(document_.background);
    for (const LogoElement& element : document_.elements)
        visit(element, visit);
    return colours;
}

} // namespace vm
