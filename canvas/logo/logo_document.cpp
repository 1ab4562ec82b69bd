#include "canvas/logo/logo_document.h"

namespace vm {

bool LogoElement::operator==(const LogoElement& other) const
{
    // Identity is a runtime matter: two equal logos may carry different ids.
    return kind == other.kind && position == other.position && size == other.size && rotation == other.rotation
        && name == other.name && locked == other.locked && hidden == other.hidden && flipHorizontal == other.flipHorizontal
        && flipVertical == other.flipVertical && opacity == other.opacity && shadow == other.shadow && text == other.text
        && fontFamily == other.fontFamily && fontSize == other.fontSize && bold == other.bold && italic == other.italic
        && arcRadius == other.arcRadius && letterSpacing == other.letterSpacing && lineSpacing == other.lineSpacing
        && alignment == other.alignment && textCase == other.textCase && color == other.color && fill == other.fill
        && strokeColor == other.strokeColor && strokeWidth == other.strokeWidth && shapeType == other.shapeType
        && cornerRadius == other.cornerRadius && sides == other.sides && points == other.points
        && innerRatio == other.innerRatio && symbol == other.symbol && picture == other.picture && children == other.children;
}

QRectF childrenBox(const LogoElement& group)
{
    QRectF box;
    for (const LogoElement& child : group.children)
        box = box.isNull() ? child.box() : box.united(child.box());
    if (box.width() <= 0 || box.height() <= 0)
        return QRectF(QPointF(0, 0), group.size);
    return box;
}

QString withinTextLimit(QString text)
{
    if (text.size() > limits::maxTextLength) {
        text.truncate(limits::maxTextLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

} // namespace vm
