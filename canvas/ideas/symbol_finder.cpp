#include "canvas/ideas/symbol_finder.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace vm::ideas {

namespace {
// Words of a company name that say nothing about what it does.
const QSet<QString>& fillerWords()
{
    static const QSet<QString> words = {
        QStringLiteral("and"), QStringLiteral("the"), QStringLiteral("for"), QStringLiteral("ltd"),
        QStringLiteral("inc"), QStringLiteral("llc"), QStringLiteral("gmbh"), QStringLiteral("company"),
        QStringLiteral("group"), QStringLiteral("studio"), QStringLiteral("studios"), QStringLiteral("sons"),
        QStringLiteral("brothers"), QStringLiteral("partners"), QStringLiteral("associates"), QStringLiteral("services"),
        QStringLiteral("solutions"), QStringLiteral("since"), QStringLiteral("with"), QStringLiteral("your"),
        QStringLiteral("our"), QStringLiteral("best"), QStringLiteral("new"), QStringLiteral("co")};
    return words;
}

// Symbols that say "not" or "broken": never the picture of a business.
bool isNegative(const ClipArtSymbol& symbol)
{
    static const QStringList negatives = {QStringLiteral("slash"), QStringLiteral("x"), QStringLiteral("break"),
                                          QStringLiteral("broken"), QStringLiteral("minus"), QStringLiteral("sad"),
                                          QStringLiteral("angry"), QStringLiteral("warning"), QStringLiteral("disconnect")};
    const QStringList parts = symbol.id.split(QLatin1Char('-'));
    return std::any_of(parts.begin(), parts.end(), [](const QString& part) { return negatives.contains(part); });
}

// A plural's singular, for the few shapes English plurals take in names.
QString singular(const QString& word)
{
    if (word.endsWith(QLatin1String("ies")) && word.size() > 4)
        return word.left(word.size() - 3) + QLatin1Char('y');
    if (word.endsWith(QLatin1Char('s')) && !word.endsWith(QLatin1String("ss")) && word.size() > 3)
        return word.left(word.size() - 1);
    return word;
}

// How well a symbol pictures a word: 3 its name, 2 a part of its name, 1 one of its keywords, 0 not.
int matchScore(const ClipArtSymbol& symbol, const QString& word)
{
    if (symbol.id.compare(word, Qt::CaseInsensitive) == 0)
        return 3;
    if (!word.contains(QLatin1Char('-')) && symbol.id.split(QLatin1Char('-')).contains(word, Qt::CaseInsensitive))
        return 2;
    const QString category = symbol.category.toLower();
    for (const QString& keyword : symbol.keywords)
        if (keyword.compare(word, Qt::CaseInsensitive) == 0 && !category.contains(word))
            return 1;
    return 0;
}
} // namespace

QStringList nameWords(const QString& name)
{
    QStringList words;
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}-]+"));
    for (const QString& word : name.toLower().split(separators, Qt::SkipEmptyParts))
        if (word.size() >= 3 && !fillerWords().contains(word) && !words.contains(word))
            words.append(word);
    return words;
}

SymbolFinder::SymbolFinder(const ClipArtCatalogue& catalogue, const QHash<QString, QStringList>& synonyms)
    : catalogue_(catalogue), synonyms_(synonyms)
{
    QSet<QString> words;
    for (const ClipArtCategory& category : catalogue.categories())
        for (const ClipArtSymbol& symbol : category.symbols)
            for (const QString& keyword : symbol.keywords)
                words.insert(keyword.toLower());
    for (auto entry = synonyms.begin(); entry != synonyms.end(); ++entry)
        words.insert(entry.key());
    vocabulary_ = QStringList(words.begin(), words.end());
    std::sort(vocabulary_.begin(), vocabulary_.end());
}

QStringList SymbolFinder::searchWords(const QStringList& keywords, const QString& name) const
{
    QStringList given;
    for (const QString& keyword : keywords)
        for (const QString& word : nameWords(keyword) + QStringList{keyword.trimmed().toLower()})
            if (!word.isEmpty() && !given.contains(word))
                given.append(word);
    for (const QString& word : nameWords(name))
        if (!given.contains(word))
            given.append(word);
    QStringList words;
    for (const QString& word : given) {
        const QString single = singular(word);
        for (const QString& form : {word, single}) {
            if (!words.contains(form))
                words.append(form);
            for (const QString& synonym : synonyms_.value(form))
                if (!words.contains(synonym))
                    words.append(synonym);
        }
    }
    return words;
}

QStringList SymbolFinder::find(const QStringList& keywords, const QString& name, int limit) const
{
    const QStringList words = searchWords(keywords, name);
    struct Found {
        const ClipArtSymbol* symbol;
        double score;
        int order;
    };
    std::vector<Found> found;
    int order = 0;
    for (const ClipArtCategory& category : catalogue_.categories())
        for (const ClipArtSymbol& symbol : category.symbols) {
            ++order;
            if (isNegative(symbol))
                continue;
            double score = 0;
            for (qsizetype index = 0; index < words.size(); ++index) {
                // Earlier words (the user's own, a synonym's first picks) count more.
                const int match = matchScore(symbol, words[index]);
                if (match > 0)
                    score = std::max(score, match * 10.0 - std::min<double>(index, 9));
            }
            if (score > 0)
                found.push_back({&symbol, score, order});
        }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.score != b.score ? a.score > b.score : a.order < b.order;
    });
    QStringList paths;
    for (const Found& entry : found) {
        if (paths.size() >= limit)
            break;
        paths.append(entry.symbol->path);
    }
    return paths;
}

QStringList SymbolFinder::suggestions(const QString& prefix, int limit) const
{
    QStringList result;
    const QString start = prefix.trimmed().toLower();
    if (start.isEmpty())
        return result;
    auto at = std::lower_bound(vocabulary_.begin(), vocabulary_.end(), start);
    for (; at != vocabulary_.end() && at->startsWith(start) && result.size() < limit; ++at)
        result.append(*at);
    return result;
}

} // namespace vm::ideas
