#pragma once

#include "canvas/logo/clipart_catalogue.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace vm::ideas {

// Finds clip-art that pictures a business: the request's keywords and the
// words of its name, each widened through the synonyms table, matched against
// the symbols' names and keywords as whole words. A word that matches nothing
// brings nothing: no symbol is better than an unrelated one.
class SymbolFinder {
public:
    SymbolFinder(const ClipArtCatalogue& catalogue, const QHash<QString, QStringList>& synonyms);

    // Catalogue paths, best first, at most limit.
    QStringList find(const QStringList& keywords, const QString& name, int limit) const;
    // The words a search for these keywords and name looks for (keywords, name words, their synonyms).
    QStringList searchWords(const QStringList& keywords, const QString& name) const;
    // Keywords and synonym words that begin with prefix, sorted, at most limit.
    QStringList suggestions(const QString& prefix, int limit) const;

private:
    const ClipArtCatalogue& catalogue_;
    const QHash<QString, QStringList>& synonyms_;
    QStringList vocabulary_; // every keyword and synonym word, sorted
};

// The words of a name worth searching for: lower case, three letters or more,
// common words of company names left out.
QStringList nameWords(const QString& name);

} // namespace vm::ideas
