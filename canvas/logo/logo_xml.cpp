#include "canvas/logo/logo_xml.h"

#include <QFile>
#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>
#include <sstream>

namespace vm::logo_xml {

namespace {

// Deeper nesting than any editor produces: hostile files stop here instead of the stack.
constexpr int maxGroupDepth = 64;
constexpr double maxCoordinate = 1e6;

const char* kindName(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Text: return "Text";
    case ElementKind::Symbol: return "Symbol";
    case ElementKind::Picture: return "Picture";
    case ElementKind::Group: return "Group";
    case ElementKind::Shape: return "Shape";
    }
    return "Text";
}

// Enumerations by name: the index in each table is the enumerator's value.
constexpr const char* shapeNames[] = {"rectangle", "roundedRectangle", "ellipse", "line", "polygon", "star"};
constexpr const char* alignmentNames[] = {"left", "center", "right"};
constexpr const char* caseNames[] = {"asTyped", "upper", "lower"};
constexpr const char* fillNames[] = {"solid", "linear", "radial"};

template <typename Enum, size_t count>
Enum named(const pugi::xml_node& node, const char* attribute, const char* const (&names)[count], Enum fallback)
{
    const std::string_view value = node.attribute(attribute).value();
    for (size_t index = 0; index < count; ++index)
        if (value == names[index])
            return Enum(index);
    return fallback;
}

std::string numberText(double value)
{
    // Shortest text that reads back to the same double: saves are stable.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double number(const pugi::xml_node& node, const char* name, double fallback, double low, double high)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return fallback;
    const char* text = attribute.value();
    double value = fallback;
    const auto result = std::from_chars(text, text + std::strlen(text), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return fallback;
    return std::clamp(value, low, high);
}

QString text(const pugi::xml_node& node, const char* name)
{
    return QString::fromUtf8(node.attribute(name).value());
}

QColor parseColor(std::string_view value, const QColor& fallback)
{
    // "#rrggbb" or "#aarrggbb", read by hand: colours are on every element.
    if ((value.size() != 7 && value.size() != 9) || value[0] != '#')
        return fallback;
    quint32 bits = 0;
    const auto result = std::from_chars(value.data() + 1, value.data() + value.size(), bits, 16);
    if (result.ec != std::errc() || result.ptr != value.data() + value.size())
        return fallback;
    return value.size() == 7 ? QColor::fromRgb(QRgb(0xff000000u | bits)) : QColor::fromRgba(QRgb(bits));
}

QColor color(const pugi::xml_node& node, const char* name, const QColor& fallback)
{
    return parseColor(node.attribute(name).value(), fallback);
}

std::string colorText(const QColor& value)
{
    return (value.alpha() == 255 ? value.name(QColor::HexRgb) : value.name(QColor::HexArgb)).toStdString();
}

bool flag(const pugi::xml_node& node, const char* name) { return std::strcmp(node.attribute(name).value(), "true") == 0; }

// "offset colour" pairs separated by ';', e.g. "0 #ff0000;1 #0000ff".
QGradientStops stops(const pugi::xml_node& node)
{
    QGradientStops result;
    const std::string_view value = node.attribute("stops").value();
    size_t start = 0;
    while (start < value.size() && result.size() < limits::maxGradientStops) {
        const size_t end = std::min(value.find(';', start), value.size());
        const std::string_view stop = value.substr(start, end - start);
        start = end + 1;
        const size_t space = stop.find(' ');
        if (space == std::string_view::npos)
            continue;
        double offset = 0;
        const auto parsed = std::from_chars(stop.data(), stop.data() + space, offset);
        const QColor colour = parseColor(stop.substr(space + 1), QColor());
        if (parsed.ec != std::errc() || !std::isfinite(offset) || !colour.isValid())
            continue;
        result.append({std::clamp(offset, 0.0, 1.0), colour});
    }
    // A gradient needs its stops in order; a hand-edited file may not keep it.
    std::stable_sort(result.begin(), result.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return result;
}

std::string stopsText(const QGradientStops& stops)
{
    std::string text;
    for (const QGradientStop& stop : stops) {
        if (!text.empty())
            text += ';';
        text += numberText(stop.first) + ' ' + colorText(stop.second);
    }
    return text;
}

// Properties every version-1 file lacks: written only when they differ from
// the default, so plain logos stay small and read the same.
void optional(pugi::xml_node& node, const char* name, double value, double fallback)
{
    if (value != fallback)
        node.append_attribute(name) = numberText(value).c_str();
}
void optional(pugi::xml_node& node, const char* name, bool value)
{
    if (value)
        node.append_attribute(name) = "true";
}
void optional(pugi::xml_node& node, const char* name, const QColor& value, const QColor& fallback)
{
    if (value != fallback)
        node.append_attribute(name) = colorText(value).c_str();
}
template <size_t count>
void optional(pugi::xml_node& node, const char* name, int value, const char* const (&names)[count])
{
    if (value > 0 && size_t(value) < count)
        node.append_attribute(name) = names[value];
}

void readCommon(const pugi::xml_node& node, LogoElement& element)
{
    const LogoElement defaults;
    element.name = text(node, "name");
    element.locked = flag(node, "locked");
    element.hidden = flag(node, "hidden");
    element.flipHorizontal = flag(node, "flipHorizontal");
    element.flipVertical = flag(node, "flipVertical");
    element.opacity = number(node, "opacity", 1, 0, 1);
    element.shadow.enabled = flag(node, "shadow");
    element.shadow.color = color(node, "shadowColor", defaults.shadow.color);
    element.shadow.offset = QPointF(number(node, "shadowX", defaults.shadow.offset.x(), -limits::maxShadowOffset, limits::maxShadowOffset),
                                    number(node, "shadowY", defaults.shadow.offset.y(), -limits::maxShadowOffset, limits::maxShadowOffset));
    element.shadow.blur = number(node, "shadowBlur", defaults.shadow.blur, 0, limits::maxBlur);
}

void writeCommon(pugi::xml_node& node, const LogoElement& element)
{
    const LogoElement defaults;
    if (!element.name.isEmpty())
        node.append_attribute("name") = element.name.toUtf8().constData();
    optional(node, "locked", element.locked);
    optional(node, "hidden", element.hidden);
    optional(node, "flipHorizontal", element.flipHorizontal);
    optional(node, "flipVertical", element.flipVertical);
    optional(node, "opacity", element.opacity, 1);
    optional(node, "shadow", element.shadow.enabled);
    optional(node, "shadowColor", element.shadow.color, defaults.shadow.color);
    optional(node, "shadowX", element.shadow.offset.x(), defaults.shadow.offset.x());
    optional(node, "shadowY", element.shadow.offset.y(), defaults.shadow.offset.y());
    optional(node, "shadowBlur", element.shadow.blur, defaults.shadow.blur);
}

// Fill and outline, shared by texts and shapes.
void readPaint(const pugi::xml_node& node, LogoElement& element)
{
    element.fill.kind = named(node, "fill", fillNames, Fill::Kind::Solid);
    element.fill.angle = number(node, "fillAngle", 0, -360, 360);
    element.fill.stops = stops(node);
    element.strokeColor = color(node, "stroke", Qt::black);
    element.strokeWidth = number(node, "strokeWidth", 0, 0, limits::maxStrokeWidth);
}

void writePaint(pugi::xml_node& node, const LogoElement& element)
{
    optional(node, "fill", int(element.fill.kind), fillNames);
    optional(node, "fillAngle", element.fill.angle, 0);
    if (!element.fill.stops.isEmpty())
        node.append_attribute("stops") = stopsText(element.fill.stops).c_str();
    optional(node, "stroke", element.strokeColor, Qt::black);
    optional(node, "strokeWidth", element.strokeWidth, 0);
}

bool readElements(const pugi::xml_node& parent, std::vector<LogoElement>& into, int depth, QString& error);

bool readElement(const pugi::xml_node& node, LogoElement& element, int depth, QString& error)
{
    const std::string_view name = node.name();
    if (name == "Text")
        element.kind = ElementKind::Text;
    else if (name == "Symbol")
        element.kind = ElementKind::Symbol;
    else if (name == "Picture")
        element.kind = ElementKind::Picture;
    else if (name == "Group")
        element.kind = ElementKind::Group;
    else if (name == "Shape")
        element.kind = ElementKind::Shape;
    else
        return true; // not ours: skipped, so a file with extras still opens
    element.position = QPointF(number(node, "x", 0, -maxCoordinate, maxCoordinate),
                               number(node, "y", 0, -maxCoordinate, maxCoordinate));
    element.size = QSizeF(number(node, "width", 100, 0.01, maxCoordinate), number(node, "height", 40, 0.01, maxCoordinate));
    element.rotation = number(node, "rotation", 0, -360, 360);
    readCommon(node, element);
    switch (element.kind) {
    case ElementKind::Text:
        element.text = text(node, "text");
        element.fontFamily = text(node, "font");
        element.fontSize = number(node, "size", 24, 1, 2000);
        element.bold = flag(node, "bold");
        element.italic = flag(node, "italic");
        element.color = color(node, "color", Qt::black);
        element.arcRadius = number(node, "arcRadius", 0, -limits::maxArcRadius, limits::maxArcRadius);
        element.letterSpacing = number(node, "letterSpacing", 0, -limits::maxSpacing, limits::maxSpacing);
        element.lineSpacing = number(node, "lineSpacing", 1, limits::minLineSpacing, limits::maxLineSpacing);
        element.alignment = named(node, "align", alignmentNames, TextAlignment::Left);
        element.textCase = named(node, "case", caseNames, TextCase::AsTyped);
        readPaint(node, element);
        break;
    case ElementKind::Shape:
        element.shapeType = named(node, "shape", shapeNames, ShapeType::Rectangle);
        element.color = color(node, "color", Qt::black);
        element.cornerRadius = number(node, "cornerRadius", 12, 0, limits::maxCornerRadius);
        element.sides = int(number(node, "sides", 6, limits::minSides, limits::maxSides));
        element.points = int(number(node, "points", 5, limits::minSides, limits::maxSides));
        element.innerRatio = number(node, "innerRatio", 0.5, limits::minInnerRatio, limits::maxInnerRatio);
        readPaint(node, element);
        break;
    case ElementKind::Symbol:
        element.symbol = text(node, "symbol");
        element.color = color(node, "color", Qt::black);
        break;
    case ElementKind::Picture:
        element.picture = text(node, "file");
        break;
    case ElementKind::Group:
        if (depth >= maxGroupDepth) {
            error = QStringLiteral("The logo file nests its groups too deeply to be opened.");
            return false;
        }
        return readElements(node, element.children, depth + 1, error);
    }
    return true;
}

bool readElements(const pugi::xml_node& parent, std::vector<LogoElement>& into, int depth, QString& error)
{
    for (const pugi::xml_node& node : parent.children()) {
        if (node.type() != pugi::node_element)
            continue;
        LogoElement element;
        if (!readElement(node, element, depth, error))
            return false;
        if (std::string_view(node.name()) == kindName(element.kind))
            into.push_back(std::move(element));
    }
    return true;
}

void writeElement(pugi::xml_node parent, const LogoElement& element)
{
    pugi::xml_node node = parent.append_child(kindName(element.kind));
    node.append_attribute("x") = numberText(element.position.x()).c_str();
    node.append_attribute("y") = numberText(element.position.y()).c_str();
    node.append_attribute("width") = numberText(element.size.width()).c_str();
    node.append_attribute("height") = numberText(element.size.height()).c_str();
    node.append_attribute("rotation") = numberText(element.rotation).c_str();
    writeCommon(node, element);
    switch (element.kind) {
    case ElementKind::Text:
        node.append_attribute("text") = element.text.toUtf8().constData();
        node.append_attribute("font") = element.fontFamily.toUtf8().constData();
        node.append_attribute("size") = numberText(element.fontSize).c_str();
        node.append_attribute("bold") = element.bold ? "true" : "false";
        node.append_attribute("italic") = element.italic ? "true" : "false";
        node.append_attribute("color") = colorText(element.color).c_str();
        optional(node, "arcRadius", element.arcRadius, 0);
        optional(node, "letterSpacing", element.letterSpacing, 0);
        optional(node, "lineSpacing", element.lineSpacing, 1);
        optional(node, "align", int(element.alignment), alignmentNames);
        optional(node, "case", int(element.textCase), caseNames);
        writePaint(node, element);
        break;
    case ElementKind::Shape:
        node.append_attribute("shape") = shapeNames[int(element.shapeType)];
        node.append_attribute("color") = colorText(element.color).c_str();
        optional(node, "cornerRadius", element.cornerRadius, 12);
        optional(node, "sides", element.sides, 6);
        optional(node, "points", element.points, 5);
        optional(node, "innerRatio", element.innerRatio, 0.5);
        writePaint(node, element);
        break;
    case ElementKind::Symbol:
        node.append_attribute("symbol") = element.symbol.toUtf8().constData();
        node.append_attribute("color") = colorText(element.color).c_str();
        break;
    case ElementKind::Picture:
        node.append_attribute("file") = element.picture.toUtf8().constData();
        break;
    case ElementKind::Group:
        for (const LogoElement& child : element.children)
            writeElement(node, child);
        break;
    }
}

} // namespace

namespace {
ReadResult readBuffer(pugi::xml_document& document, const pugi::xml_parse_result& parsed);
}

ReadResult read(const QByteArray& xml)
{
    pugi::xml_document document;
    return readBuffer(document, document.load_buffer(xml.constData(), size_t(xml.size())));
}

ReadResult readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult result;
        result.error = QStringLiteral("The logo file %1 cannot be read.").arg(path);
        return result;
    }
    // Parsed in place: the file's bytes are needed only while reading.
    QByteArray bytes = file.readAll();
    pugi::xml_document document;
    return readBuffer(document, document.load_buffer_inplace(bytes.data(), size_t(bytes.size())));
}

namespace {
ReadResult readBuffer(pugi::xml_document& document, const pugi::xml_parse_result& parsed)
{
    ReadResult result;
    if (!parsed) {
        result.error = QStringLiteral("The logo file is damaged and cannot be opened (%1 at byte %2).")
                           .arg(QString::fromUtf8(parsed.description()))
                           .arg(parsed.offset);
        return result;
    }
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != rootName) {
        result.error = QStringLiteral("The file is not a Vantamorph logo.");
        return result;
    }
    const double version = number(root, "version", 0, 0, 1e9);
    if (version < 1) {
        result.error = QStringLiteral("The logo file has no valid format version and cannot be opened.");
        return result;
    }
    if (version > formatVersion) {
        result.error = QStringLiteral("This logo was saved by a newer version of Vantamorph (format %1) and cannot be "
                                      "opened here. Please update Vantamorph.")
                           .arg(numberText(version).c_str());
        return result;
    }
    LogoDocument logo;
    logo.stageSize = QSize(int(number(root, "width", 507, 1, 10000)), int(number(root, "height", 397, 1, 10000)));
    logo.background = color(root, "background", Qt::white);
    if (!readElements(root, logo.elements, 0, result.error))
        return result;
    result.document = std::move(logo);
    return result;
}
} // namespace

QByteArray write(const LogoDocument& logo)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child(rootName);
    root.append_attribute("version") = formatVersion;
    root.append_attribute("width") = logo.stageSize.width();
    root.append_attribute("height") = logo.stageSize.height();
    root.append_attribute("background") = colorText(logo.background).c_str();
    for (const LogoElement& element : logo.elements)
        writeElement(root, element);
    std::ostringstream out;
    document.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    const std::string bytes = out.str();
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace vm::logo_xml
