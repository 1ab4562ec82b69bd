#include "project/project_file.h"

#include "platform/api/atomic_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/run_time_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

namespace vm::project_file {

namespace {

pugi::xml_encoding encodingNamed(QString name)
{
    name = name.trimmed().toLower();
    name.remove(QLatin1Char('-'));
    name.remove(QLatin1Char('_'));
    if (name == QLatin1String("utf16") || name == QLatin1String("utf16le") || name == QLatin1String("ucs2"))
        return pugi::encoding_utf16_le;
    if (name == QLatin1String("utf16be"))
        return pugi::encoding_utf16_be;
    if (name == QLatin1String("iso88591") || name == QLatin1String("latin1") || name == QLatin1String("l1")
        || name == QLatin1String("isolatin1"))
        return pugi::encoding_latin1;
    return pugi::encoding_utf8;
}

pugi::xml_encoding declaredEncoding(const pugi::xml_document& document)
{
    const pugi::xml_node first = document.first_child();
    if (first.type() != pugi::node_declaration)
        return pugi::encoding_utf8;
    return encodingNamed(QString::fromUtf8(first.attribute("encoding").value()));
}

} // namespace

BoundedRead checkProject(const QString& path)
{
    return checkBoundedFile(path, file_limits::logoProject);
}

QString cannotOpenMessage(const BoundedRead& check)
{
    return QStringLiteral("The logo project cannot be opened: %1.").arg(check.reason);
}

Outcome writeAtomically(const QString& path, const QByteArray& bytes)
{
    return writeFileAtomically(path, bytes);
}

void parse(QStringView text, ParsedXml& parsed)
{
    parsed.source = text.toUtf8();
    parsed.result = parsed.document.load_buffer(parsed.source.constData(), size_t(parsed.source.size()), keepEverything,
                                                pugi::encoding_utf8);
}

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    if (bytes.startsWith("<?xml")) {
        const QByteArray declaration = bytes.left(bytes.indexOf("?>"));
        const qsizetype at = declaration.indexOf("encoding=");
        if (at >= 0 && at + 10 < declaration.size()) {
            const char quote = declaration.at(at + 9);
            const qsizetype close = declaration.indexOf(quote, at + 10);
            if (close > 0 && encodingNamed(QString::fromLatin1(declaration.mid(at + 10, close - at - 10))) == pugi::encoding_latin1)
                return QString::fromLatin1(bytes);
        }
    }
    return QString::fromUtf8(bytes);
}

namespace {

struct ByteWriter : pugi::xml_writer {
    QByteArray& out;
    explicit ByteWriter(QByteArray& target) : out(target) {}
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), qsizetype(size)); }
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The blank run of source that ends right before the '<' opening the node.
QByteArray blanksBefore(const QByteArray& source, const pugi::xml_node& node)
{
    qsizetype at = qsizetype(node.offset_debug());
    if (at < 0 || at > source.size())
        return {};
    while (at > 0 && source.at(at - 1) != '<')
        --at;
    qsizetype from = --at;
    while (from > 0 && isBlank(source.at(from - 1)))
        --from;
    return from < at ? source.mid(from, at - from) : QByteArray();
}

} // namespace

QByteArray serialise(const ParsedXml& parsed)
{
    QByteArray utf8;
    utf8.reserve(parsed.source.size() + 64);
    ByteWriter writer(utf8);
    const unsigned int flags = pugi::format_raw | pugi::format_no_declaration;
    for (pugi::xml_node node : parsed.document.children()) {
        utf8 += blanksBefore(parsed.source, node);
        node.print(writer, PUGIXML_TEXT(""), flags, pugi::encoding_utf8);
    }
    qsizetype tail = parsed.source.size();
    while (tail > 0 && isBlank(parsed.source.at(tail - 1)))
        --tail;
    utf8 += parsed.source.mid(tail);

    switch (declaredEncoding(parsed.document)) {
    case pugi::encoding_latin1: return QString::fromUtf8(utf8).toLatin1();
    case pugi::encoding_utf16_le:
    case pugi::encoding_utf16_be: {
        // A UTF-16 file cannot be told from its neighbours without its mark.
        const QString text = QChar(QChar::ByteOrderMark) + QString::fromUtf8(utf8);
        QByteArray wide(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        if (declaredEncoding(parsed.document) == pugi::encoding_utf16_be)
            for (qsizetype i = 0; i + 1 < wide.size(); i += 2)
                std::swap(wide[i], wide[i + 1]);
        return wide;
    }
    default: return utf8;
    }
}

Outcome encodeLogo(QStringView xml, QByteArray& bytes)
{
    ParsedXml parsed;
    parse(xml, parsed);
    if (!parsed.result)
        return Outcome::failure(error_number::InvalidProcedureCall, QStringLiteral("%1 at character %2")
                                                                        .arg(QString::fromUtf8(parsed.result.description()))
                                                                        .arg(parsed.result.offset));
    bytes = serialise(parsed);
    return {};
}

Outcome writeLogo(const QString& path, const QString& xml)
{
    QByteArray bytes;
    const Outcome encoded = encodeLogo(xml, bytes);
    if (!encoded.ok)
        return encoded;
    return writeAtomically(path, bytes);
}

} // namespace vm::project_file
