#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

struct ClipArtSymbol {
    QString category;
    QString id;
    QStringList keywords;
    QString path; // below the data folder: "ClipArts/<category>/<file>.svg"
    // What a search word may start: identifier, its parts, category, keywords
    // and their words, in lower case.
    QStringList searchTerms;
};

struct ClipArtCategory {
    QString name;
    QList<ClipArtSymbol> symbols;
};

// The clip-art catalogue: datasrc/VM_Logos.xml names the categories and their
// lists; each list in datasrc/ClipArts/<category>/ names symbols with their
// identifier, comma-separated keywords and SVG file. Unreadable parts are left out.
class ClipArtCatalogue {
public:
    // userDataFolder's copies of the index and the lists, when it has them, are read instead.
    static ClipArtCatalogue load(const QString& dataFolder, const QString& userDataFolder = QString());

    const QList<ClipArtCategory>& categories() const { return categories_; }
    int symbolCount() const;
    // Symbols matching every word of the query (a word starts a name, a
    // category or a keyword, any case), in catalogue order; category limits
    // the search to one category when not empty.
    QList<const ClipArtSymbol*> search(const QString& query, const QString& category = QString()) const;
    const ClipArtSymbol* find(const QString& path) const;

private:
    QList<ClipArtCategory> categories_;
};

} // namespace vm
