#include "canvas/logo/logo_xml.h"

#include "platform/api/bounded_file.h"

#include <charconv>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>
#include <sstream>
#include <string_view>
#include <vector>

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
Enum named(std::string_view value, const char* const (&names)[count], Enum fallback)
{
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

// A number within low..high; anything else leaves into as it was.
void readNumber(const char* text, double low, double high, double& into)
{
    double value = 0;
    const auto result = std::from_chars(text, text + std::strlen(text), value);
    if (result.ec == std::errc() && std::isfinite(value))
        into = std::clamp(value, low, high);
}

void readNumber(const char* text, int low, int high, int& into)
{
    double value = into;
    readNumber(text, low, high, value);
    into = int(value);
}

double number(const pugi::xml_node& node, const char* name, double fallback, double low, double high)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    if (attribute)
        readNumber(attribute.value(), low, high, fallback);
    return fallback;
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

void readColor(const char* text, QColor& into) { into = parseColor(text, into); }

std::string colorText(const QColor& value)
{
    return (value.alpha() == 255 ? value.name(QColor::HexRgb) : value.name(QColor::HexArgb)).toStdString();
}

bool flag(const char* text) { return std::strcmp(text, "true") == 0; }

// "offset colour" pairs separated by ';', e.g. "0 #ff0000;1 #0000ff".
QGradientStops stops(std::string_view value)
{
    QGradientStops result;
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
void writePaint(pugi::xml_node& node, const LogoElement& element)
{
    optional(node, "fill", int(element.fill.kind), fillNames);
    optional(node, "fillAngle", element.fill.angle, 0);
    if (!element.fill.stops.isEmpty())
        node.append_attribute("stops") = stopsText(element.fill.stops).c_str();
    optional(node, "stroke", element.strokeColor, Qt::black);
    optional(node, "strokeWidth", element.strokeWidth, 0);
}

// Every attribute an element may carry, the kinds it belongs to and how it
// is read. One pass over an element's attributes reads them all; a value that
// does not read leaves the element's default.
struct Property {
    unsigned kinds;
    void (*read)(LogoElement& element, const char* value);
};

constexpr unsigned kindBit(ElementKind kind) { return 1u << unsigned(kind); }
constexpr unsigned everyKind = ~0u;
constexpr unsigned textOnly = kindBit(ElementKind::Text);
constexpr unsigned shapeOnly = kindBit(ElementKind::Shape);
constexpr unsigned painted = textOnly | shapeOnly;
constexpr unsigned coloured = painted | kindBit(ElementKind::Symbol);

struct NamedProperty {
    std::string_view name;
    Property property;
};

const std::vector<NamedProperty>& properties()
{
    using E = LogoElement;
    static const std::vector<NamedProperty> table = {
        {"x", {everyKind, [](E& e, const char* v) { readNumber(v, -maxCoordinate, maxCoordinate, e.position.rx()); }}},
        {"y", {everyKind, [](E& e, const char* v) { readNumber(v, -maxCoordinate, maxCoordinate, e.position.ry()); }}},
        {"width", {everyKind, [](E& e, const char* v) { readNumber(v, 0.01, maxCoordinate, e.size.rwidth()); }}},
        {"height", {everyKind, [](E& e, const char* v) { readNumber(v, 0.01, maxCoordinate, e.size.rheight()); }}},
        {"rotation", {everyKind, [](E& e, const char* v) { readNumber(v, -360.0, 360.0, e.rotation); }}},
        {"name", {everyKind, [](E& e, const char* v) { e.name = QString::fromUtf8(v); }}},
        {"locked", {everyKind, [](E& e, const char* v) { e.locked = flag(v); }}},
        {"hidden", {everyKind, [](E& e, const char* v) { e.hidden = flag(v); }}},
        {"flipHorizontal", {everyKind, [](E& e, const char* v) { e.flipHorizontal = flag(v); }}},
        {"flipVertical", {everyKind, [](E& e, const char* v) { e.flipVertical = flag(v); }}},
        {"opacity", {everyKind, [](E& e, const char* v) { readNumber(v, 0.0, 1.0, e.opacity); }}},
        {"shadow", {everyKind, [](E& e, const char* v) { e.shadow.enabled = flag(v); }}},
        {"shadowColor", {everyKind, [](E& e, const char* v) { readColor(v, e.shadow.color); }}},
        {"shadowX", {everyKind, [](E& e, const char* v) { readNumber(v, -limits::maxShadowOffset, limits::maxShadowOffset, e.shadow.offset.rx()); }}},
        {"shadowY", {everyKind, [](E& e, const char* v) { readNumber(v, -limits::maxShadowOffset, limits::maxShadowOffset, e.shadow.offset.ry()); }}},
        {"shadowBlur", {everyKind, [](E& e, const char* v) { readNumber(v, 0.0, limits::maxBlur, e.shadow.blur); }}},
        {"text", {textOnly, [](E& e, const char* v) { e.text = withinTextLimit(QString::fromUtf8(v)); }}},
        {"font", {textOnly, [](E& e, const char* v) { e.fontFamily = QString::fromUtf8(v); }}},
        {"size", {textOnly, [](E& e, const char* v) { readNumber(v, 1.0, 2000.0, e.fontSize); }}},
        {"bold", {textOnly, [](E& e, const char* v) { e.bold = flag(v); }}},
        {"italic", {textOnly, [](E& e, const char* v) { e.italic = flag(v); }}},
        {"arcRadius", {textOnly, [](E& e, const char* v) { readNumber(v, -limits::maxArcRadius, limits::maxArcRadius, e.arcRadius); }}},
        {"letterSpacing", {textOnly, [](E& e, const char* v) { readNumber(v, -limits::maxSpacing, limits::maxSpacing, e.letterSpacing); }}},
        {"lineSpacing", {textOnly, [](E& e, const char* v) { readNumber(v, limits::minLineSpacing, limits::maxLineSpacing, e.lineSpacing); }}},
        {"align", {textOnly, [](E& e, const char* v) { e.alignment = named(v, alignmentNames, TextAlignment::Left); }}},
        {"case", {textOnly, [](E& e, const char* v) { e.textCase = named(v, caseNames, TextCase::AsTyped); }}},
        {"color", {coloured, [](E& e, const char* v) { readColor(v, e.color); }}},
        {"fill", {painted, [](E& e, const char* v) { e.fill.kind = named(v, fillNames, Fill::Kind::Solid); }}},
        {"fillAngle", {painted, [](E& e, const char* v) { readNumber(v, -360.0, 360.0, e.fill.angle); }}},
        {"stops", {painted, [](E& e, const char* v) { e.fill.stops = stops(v); }}},
        {"stroke", {painted, [](E& e, const char* v) { readColor(v, e.strokeColor); }}},
        {"strokeWidth", {painted, [](E& e, const char* v) { readNumber(v, 0.0, limits::maxStrokeWidth, e.strokeWidth); }}},
        {"shape", {shapeOnly, [](E& e, const char* v) { e.shapeType = named(v, shapeNames, ShapeType::Rectangle); }}},
        {"cornerRadius", {shapeOnly, [](E& e, const char* v) { readNumber(v, 0.0, limits::maxCornerRadius, e.cornerRadius); }}},
        {"sides", {shapeOnly, [](E& e, const char* v) { readNumber(v, limits::minSides, limits::maxSides, e.sides); }}},
        {"points", {shapeOnly, [](E& e, const char* v) { readNumber(v, limits::minSides, limits::maxSides, e.points); }}},
        {"innerRatio", {shapeOnly, [](E& e, const char* v) { readNumber(v, limits::minInnerRatio, limits::maxInnerRatio, e.innerRatio); }}},
        {"symbol", {kindBit(ElementKind::Symbol), [](E& e, const char* v) { e.symbol = QString::fromUtf8(v); }}},
        {"file", {kindBit(ElementKind::Picture), [](E& e, const char* v) { e.picture = QString::fromUtf8(v); }}},
    };
    return table;
}

// The properties filed by first letter and length: a name is found with one
// or two comparisons, which matters with thousands of elements a file.
class PropertyIndex {
public:
    PropertyIndex()
    {
        for (const NamedProperty& named : properties())
            buckets_[bucket(named.name)].push_back(&named);
    }
    const Property* find(std::string_view name) const
    {
        for (const NamedProperty* named : buckets_[bucket(name)])
            if (named->name == name)
                return &named->property;
        return nullptr;
    }

private:
    static constexpr size_t lengths = 16;
    static size_t bucket(std::string_view name)
    {
        if (name.empty() || name[0] < 'a' || name[0] > 'z')
            return 0; // no property's name: an empty bucket
        return 1 + size_t(name[0] - 'a') * lengths + std::min(name.size(), lengths - 1);
    }
    std::array<std::vector<const NamedProperty*>, 1 + 26 * lengths> buckets_;
};

const Property* findProperty(std::string_view name)
{
    static const PropertyIndex index;
    return index.find(name);
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
    const unsigned kind = kindBit(element.kind);
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        const Property* property = findProperty(attribute.name());
        if (property && (property->kinds & kind))
            property->read(element, attribute.value());
    }
    if (element.kind != ElementKind::Group)
        return true;
    if (depth >= maxGroupDepth) {
        error = QStringLiteral("The logo file nests its groups too deeply to be opened.");
        return false;
    }
    return readElements(node, element.children, depth + 1, error);
}

bool readElements(const pugi::xml_node& parent, std::vector<LogoElement>& into, int depth, QString& error)
{
    // Room for the children up front, but not for whatever a hostile file claims.
    constexpr ptrdiff_t reserveLimit = 65536;
    into.reserve(size_t(std::min(std::distance(parent.children().begin(), parent.children().end()), reserveLimit)));
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

ReadResult readFile(const QString& path, qint64 limit)
{
    BoundedRead file = readBoundedFile(path, limit);
    if (!file.ok()) {
        ReadResult result;
        result.error = file.failure == ReadFailure::Missing
                           ? QStringLiteral("The logo file %1 cannot be read.").arg(path)
                           : QStringLiteral("The logo file cannot be read: %1.").arg(file.reason);
        return result;
    }
    // Parsed in place: the file's bytes are needed only while reading.
    QByteArray bytes = std::move(file.bytes);
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
