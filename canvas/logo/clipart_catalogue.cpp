#include "canvas/logo/clipart_catalogue.h"

#include "canvas/logo/logo_renderer.h"

#include <pugixml.hpp>

namespace vm {

namespace {
QString utf8(const char* text) { return QString::fromUtf8(text).trimmed(); }

bool loadDocument(pugi::xml_document& document, const QString& path)
{
    return bool(document.load_file(path.toLocal8Bit().constData()));
}
} // namespace

ClipArtCatalogue ClipArtCatalogue::load(const QString& dataFolder)
{
    ClipArtCatalogue catalogue;
    pugi::xml_document index;
    if (!loadDocument(index, dataFolder + QStringLiteral("/VM_Logos.xml")))
        return catalogue;
    for (const pugi::xml_node& categoryNode : index.document_element().children("Category")) {
        ClipArtCategory category;
        category.name = utf8(categoryNode.first_attribute().value());
        if (!isPlainFileName(category.name))
            continue;
        for (const pugi::xml_node& listNode : categoryNode.children()) {
            const QString listName = utf8(listNode.child_value());
            if (listNode.type() != pugi::node_element || !isPlainFileName(listName))
                continue;
            const QString folder = QStringLiteral("ClipArts/") + category.name + QLatin1Char('/');
            pugi::xml_document list;
            if (!loadDocument(list, dataFolder + QLatin1Char('/') + folder + listName))
                continue;
            for (const pugi::xml_node& symbolNode : list.document_element().children()) {
                if (symbolNode.type() != pugi::node_element)
                    continue;
                ClipArtSymbol symbol;
                symbol.category = category.name;
                symbol.id = utf8(symbolNode.first_child().child_value());
                symbol.keywords = utf8(symbolNode.first_child().next_sibling().child_value()).split(QLatin1Char(','), Qt::SkipEmptyParts);
                const QString file = utf8(symbolNode.child("File").child_value());
                if (symbol.id.isEmpty() || !isPlainFileName(file))
                    continue;
                symbol.path = folder + file;
                category.symbols.append(symbol);
            }
        }
        catalogue.categories_.append(category);
    }
    return catalogue;
}

int ClipArtCatalogue::symbolCount() const
{
    int count = 0;
    for (const ClipArtCategory& category : categories_)
        count += int(category.symbols.size());
    return count;
}

QList<ClipArtSymbol> ClipArtCatalogue::search(const QString& query) const
{
    const QStringList words = query.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<ClipArtSymbol> found;
    for (const ClipArtCategory& category : categories_) {
        for (const ClipArtSymbol& symbol : category.symbols) {
            const bool matches = std::all_of(words.begin(), words.end(), [&](const QString& word) {
                if (symbol.id.startsWith(word, Qt::CaseInsensitive) || category.name.startsWith(word, Qt::CaseInsensitive))
                    return true;
                return std::any_of(symbol.keywords.begin(), symbol.keywords.end(),
                                   [&](const QString& keyword) { return keyword.startsWith(word, Qt::CaseInsensitive); });
            });
            if (matches)
                found.append(symbol);
        }
    }
    return found;
}

} // namespace vm
