#include "canvas/editing/layer_names.h"

#include "canvas/logo/logo_document.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vm {

namespace {
constexpr int longestName = 32;

QString shortened(QString text)
{
    text = text.section(QLatin1Char('\n'), 0, 0).simplified();
    if (text.size() > longestName)
        text = text.left(longestName - 1) + QChar(0x2026);
    return text;
}

QString translated(const char* text, int count = -1) { return QCoreApplication::translate("LayerNames", text, nullptr, count); }
} // namespace

QString defaultLayerName(const LogoElement& element)
{
    switch (element.kind) {
    case ElementKind::Text: {
        const QString line = shortened(element.text);
        return line.isEmpty() ? translated("Text") : line;
    }
    case ElementKind::Symbol: {
        const QString name = QFileInfo(element.symbol).completeBaseName().replace(QLatin1Char('-'), QLatin1Char(' '));
        return name.isEmpty() ? translated("Symbol") : shortened(name);
    }
    case ElementKind::Picture: {
        const QString name = QFileInfo(element.picture).fileName();
        return name.isEmpty() ? translated("Picture") : shortened(name);
    }
    case ElementKind::Group:
        return translated("Group of %n", int(element.children.size()));
    case ElementKind::Shape:
        switch (element.shapeType) {
        case ShapeType::Rectangle: return translated("Rectangle");
        case ShapeType::RoundedRectangle: return translated("Rounded rectangle");
        case ShapeType::Ellipse: return translated("Ellipse");
        case ShapeType::Line: return translated("Line");
        case ShapeType::Polygon: return translated("Polygon");
        case ShapeType::Star: return translated("Star");
        }
        break;
    }
    return translated("Element");
}

} // namespace vm
