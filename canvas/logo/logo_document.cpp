#include "canvas/logo/logo_document.h"

namespace vm {

bool LogoElement::operator==(const LogoElement& other) const
{
    // Identity is a runtime matter: two equal logos may carry different ids.
    return kind == other.kind && position == other.position && size == other.size && rotation == other.rotation
        && text == other.text && fontFamily == other.fontFamily && fontSize == other.fontSize && bold == other.bold
        && italic == other.italic && color == other.color && symbol == other.symbol && picture == other.picture
        && children == other.children;
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

} // namespace vm
