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
    static ClipArtCatalogue load(const QString& dataFolder);

    const QList<ClipArtCategory>& categories() const { return categories_; }
    int symbolCount() const;
    // Symbols matching every word of the query (identifier or keyword prefix, any case).
    QList<ClipArtSymbol> search(const QString& query) const;

private:
    QList<ClipArtCategory> categories_;
};

} // namespace vm
