#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace vm::ideas {

// Three colours that go together (data/ideas/palettes.xml).
struct Palette {
    QString id;
    QColor paper;  // the background
    QColor ink;    // texts on the paper
    QColor accent; // symbols, badges, rules
    QStringList moods;
    QString family;
};

// How one text of an idea is set.
struct TextStyle {
    QString family;
    bool bold = false;
    bool italic = false;
    bool upper = false;
    double spacing = 0; // font pixels at a 48-pixel font; scaled with the size
};

// A name font and a tagline font that go together (data/ideas/pairings.xml).
struct Pairing {
    QString id;
    TextStyle name;
    TextStyle tagline;
    QStringList moods;
    bool serif = false; // a missing letter falls back to a serif rather than a sans
};

// Palettes and pairings of a file, in file order; unreadable entries are left out.
// A palette whose ink reads badly on its paper gets black or white ink instead.
std::vector<Palette> loadPalettes(const QString& path);
std::vector<Pairing> loadPairings(const QString& path);
// Word -> the clip-art words that picture it, best first.
QHash<QString, QStringList> loadSynonyms(const QString& path);

} // namespace vm::ideas
