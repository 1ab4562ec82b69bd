#include "canvas/logo/clipart_catalogue.h"

#include "canvas/logo/logo_renderer.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/user_places.h"

#include <pugixml.hpp>

namespace vm {

namespace {
QString utf8(const char* text) { return QString::fromUtf8(text).trimmed(); }

bool loadDocument(pugi::xml_document& document, const QString& path)
{
    const BoundedRead file = readBoundedFile(path, file_limits::xmlList);
    return file.ok() && document.load_buffer(file.bytes.constData(), size_t(file.bytes.size()));
}

// The text in lower case, and its words when it has several ("arrow-circle-up", "maps & travel").
void addTerms(QStringList& terms, const QString& text)
{
    const QString lower = text.toLower();
    terms.append(lower);
    qsizetype start = -1;
    bool several = false;
    for (qsizetype index = 0; index <= lower.size(); ++index) {
        const bool inWord = index < lower.size() && lower.at(index).isLetterOrNumber();
        if (inWord && start < 0) {
            start = index;
        } else if (!inWord && start >= 0) {
            if (start > 0 || index < lower.size())
                several = true;
            if (several)
                terms.append(lower.mid(start, index - start));
            start = -1;
        }
    }
}

QStringList searchTermsOf(const ClipArtSymbol& symbol)
{
    QStringList terms;
    terms.reserve(4 * (symbol.keywords.size() + 2));
    addTerms(terms, symbol.id);
    addTerms(terms, symbol.category);
    for (const QString& keyword : symbol.keywords)
        addTerms(terms, keyword);
    return terms;
}
} // namespace

ClipArtCatalogue ClipArtCatalogue::load(const QString& dataFolder, const QString& userDataFolder)
{
    ClipArtCatalogue catalogue;
    pugi::xml_document index;
    if (!loadDocument(index, overlaidFile(userDataFolder, dataFolder, QStringLiteral("VM_Logos.xml"))))
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
            if (!loadDocument(list, overlaidFile(userDataFolder, dataFolder, folder + listName)))
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
                symbol.searchTerms = searchTermsOf(symbol);
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

QList<const ClipArtSymbol*> ClipArtCatalogue::search(const QString& query, const QString& category) const
{
    const QStringList words = query.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<const ClipArtSymbol*> found;
    for (const ClipArtCategory& candidate : categories_) {
        if (!category.isEmpty() && candidate.name != category)
            continue;
        for (const ClipArtSymbol& symbol : candidate.symbols) {
            const bool matches = std::all_of(words.begin(), words.end(), [&](const QString& word) {
                return std::any_of(symbol.searchTerms.begin(), symbol.searchTerms.end(),
                                   [&](const QString& term) { return term.startsWith(word); });
            });
            if (matches)
                found.append(&symbol);
        }
    }
    return found;
}

const ClipArtSymbol* ClipArtCatalogue::find(const QString& path) const
{
    for (const ClipArtCategory& category : categories_)
        for (const ClipArtSymbol& symbol : category.symbols)
            if (symbol.path == path)
                return &symbol;
    return nullptr;
}

} // namespace vm
