#include "artwork/clipart_keywords.h"

#include "protocol/field_separator.h"
#include "platform/api/atomic_file.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/path_style.h"
#include "platform/api/run_time_error.h"

#include <pugixml.hpp>
#include <sstream>

namespace vm {

namespace {
// The declaration stays: the files keep the head they were shipped with.
constexpr unsigned parseOptions = pugi::parse_default | pugi::parse_declaration;

// The whole text of a node, as a DOM's text property gives it.
QString nodeText(const pugi::xml_node& node)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return QString::fromUtf8(node.value());
    QString text;
    for (const pugi::xml_node& child : node.children())
        text += nodeText(child);
    return text;
}

void setNodeText(pugi::xml_node node, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        node.set_value(bytes.constData());
        return;
    }
    while (node.first_child())
        node.remove_child(node.first_child());
    node.append_child(pugi::node_pcdata).set_value(bytes.constData());
}

void loadOrFail(pugi::xml_document& document, const QString& path)
{
    const BoundedRead file = readBoundedFile(path, file_limits::xmlList);
    if (!file.ok())
        throw RunTimeError(file.failure == ReadFailure::Missing ? error_number::FileNotFound : error_number::PathFileAccessError,
                           QStringLiteral("The file %1 could not be read: %2").arg(path, file.reason));
    const pugi::xml_parse_result result = document.load_buffer(file.bytes.constData(), size_t(file.bytes.size()), parseOptions);
    if (!result)
        throw RunTimeError(error_number::FileNotFound,
                           QStringLiteral("The file %1 could not be read: %2").arg(path, QString::fromUtf8(result.description())));
}

void saveOrFail(const pugi::xml_document& document, const QString& path)
{
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    const std::string bytes = text.str();
    const WriteOutcome written = writeFileAtomically(path, QByteArray(bytes.data(), qsizetype(bytes.size())));
    if (!written.ok)
        throw RunTimeError(written.errorNumber, written.reason);
}
} // namespace

ClipArtKeywords::ClipArtKeywords(const ArtworkSeams& host) : host_(host)
{
    host_.dispatcher.on(QStringLiteral("add keyword"), [this](const QString& argument) { AddKeyword(argument); });
}

QString ClipArtKeywords::appendKeyword(const QString& keywords, const QString& keyword)
{
    return keywords.isEmpty() ? keyword : keywords + QLatin1Char(',') + keyword;
}

void ClipArtKeywords::AddKeyword(const QString& argument)
{
    const qsizetype first = argument.indexOf(fieldSeparator);
    const qsizetype second = first < 0 ? -1 : argument.indexOf(fieldSeparator, first + 1);
    const QString category = argument.left(first < 0 ? argument.size() : first);
    const QString identifier = first < 0 ? QString() : argument.mid(first + 1, second < 0 ? -1 : second - first - 1);
    const QString keyword = second < 0 ? QString() : argument.mid(second + 1);

    // The user's copies of the catalogue and its lists come first; a change goes to the user's copy.
    const UserPlaces& places = host_.state.places;
    const QString& sep = path_style::separator;
    pugi::xml_document catalogue;
    loadOrFail(catalogue, places.dataFile(QStringLiteral("VM_Logos.xml")));
    for (const pugi::xml_node& categoryNode : catalogue.document_element().children("Category")) {
        if (QString::fromUtf8(categoryNode.first_attribute().value()) != category)
            continue;
        for (const pugi::xml_node& listNode : categoryNode.children()) {
            const QString relative = QStringLiteral("ClipArts") + sep + category + sep + nodeText(listNode);
            pugi::xml_document list;
            loadOrFail(list, places.dataFile(relative));
            pugi::xml_node symbol;
            for (const pugi::xml_node& candidate : list.document_element().children()) {
                if (nodeText(candidate.first_child()) == identifier) {
                    symbol = candidate;
                    break;
                }
            }
            if (!symbol)
                continue;
            const pugi::xml_node keywordNode = symbol.first_child().next_sibling();
            if (!keywordNode)
                throw RunTimeError(error_number::ObjectVariableNotSet,
                                   QStringLiteral("The symbol %1 in %2 has no keyword list").arg(identifier, places.dataFile(relative)));
            setNodeText(keywordNode, appendKeyword(nodeText(keywordNode), keyword));
            QString why;
            const QString listPath = places.writableDataFile(relative, &why);
            try {
                if (listPath.isEmpty())
                    throw RunTimeError(error_number::PathFileAccessError, why);
                saveOrFail(list, listPath);
            } catch (const RunTimeError& failure) {
                const QString where = listPath.isEmpty() ? QString() : listPath + QStringLiteral(": ");
                host_.messages.Alert(QStringLiteral("The keyword could not be added: %1%2").arg(where, failure.description()),
                                     &host_.mainForm);
                throw;
            }
            host_.toFlash(QStringLiteral("result keyword"), listPath);
            host_.messages.Alert(QStringLiteral("Keyword has been added successfully."), &host_.mainForm);
        }
    }
}

} // namespace vm
