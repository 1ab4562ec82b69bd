#include "canvas/logo/logo_xml.h"

#include <QFile>
#include <charconv>
#include <cmath>
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
    }
    return "Text";
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

QColor color(const pugi::xml_node& node, const char* name, const QColor& fallback)
{
    // "#rrggbb" or "#aarrggbb", read by hand: colours are on every element.
    const std::string_view value = node.attribute(name).value();
    if ((value.size() != 7 && value.size() != 9) || value[0] != '#')
        return fallback;
    quint32 bits = 0;
    const auto result = std::from_chars(value.data() + 1, value.data() + value.size(), bits, 16);
    if (result.ec != std::errc() || result.ptr != value.data() + value.size())
        return fallback;
    return value.size() == 7 ? QColor::fromRgb(QRgb(0xff000000u | bits)) : QColor::fromRgba(QRgb(bits));
}

std::string colorText(const QColor& value)
{
    return (value.alpha() == 255 ? value.name(QColor::HexRgb) : value.name(QColor::HexArgb)).toStdString();
}

bool flag(const pugi::xml_node& node, const char* name) { return std::strcmp(node.attribute(name).value(), "true") == 0; }

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
    else
        return true; // not ours: skipped, so a file with extras still opens
    element.position = QPointF(number(node, "x", 0, -maxCoordinate, maxCoordinate),
                               number(node, "y", 0, -maxCoordinate, maxCoordinate));
    element.size = QSizeF(number(node, "width", 100, 0.01, maxCoordinate), number(node, "height", 40, 0.01, maxCoordinate));
    element.rotation = number(node, "rotation", 0, -360, 360);
    switch (element.kind) {
    case ElementKind::Text:
        element.text = text(node, "text");
        element.fontFamily = text(node, "font");
        element.fontSize = number(node, "size", 24, 1, 2000);
        element.bold = flag(node, "bold");
        element.italic = flag(node, "italic");
        element.color = color(node, "color", Qt::black);
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
    switch (element.kind) {
    case ElementKind::Text:
        node.append_attribute("text") = element.text.toUtf8().constData();
        node.append_attribute("font") = element.fontFamily.toUtf8().constData();
        node.append_attribute("size") = numberText(element.fontSize).c_str();
        node.append_attribute("bold") = element.bold ? "true" : "false";
        node.append_attribute("italic") = element.italic ? "true" : "false";
        node.append_attribute("color") = colorText(element.color).c_str();
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
