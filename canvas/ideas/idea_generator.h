#pragma once

#include "canvas/logo/logo_document.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace vm::ideas {

// What the user asks for: the words of the logo and its feel.
struct IdeaRequest {
    QString name;
    QString tagline;
    QStringList keywords;  // free words
    QStringList moods;     // of moodNames(); empty: any
    QString colourFamily;  // of colourFamilies(); empty: any
    quint32 seed = 1;
};

// One candidate logo and the choices it was made of.
struct Idea {
    int number = 0;   // 1-based place in the request's list
    QString layout;   // layout family
    QString palette;  // palette id
    QString pairing;  // font pairing id
    QString symbol;   // catalogue path below datasrc, empty for none
    LogoDocument logo;
};

// The one thing a variation changes.
enum class Change { Palette, Fonts, Layout, Symbol };

// modern, classic, playful, elegant, bold, minimal
QStringList moodNames();
// The colour families a request may name (blue, green, ...).
QStringList colourFamilies();

// Makes candidate logos from a name. Reads the clip-art catalogue (symbols and
// their keywords) and the ideas data (palettes, font pairings, synonyms) once.
class IdeaGenerator {
public:
    // datasrcFolder: the program's datasrc (VM_Logos.xml and its lists);
    // ideasFolder: palettes.xml, pairings.xml, synonyms.xml.
    IdeaGenerator(const QString& datasrcFolder, const QString& ideasFolder);
    ~IdeaGenerator();
    IdeaGenerator(const IdeaGenerator&) = delete;
    IdeaGenerator& operator=(const IdeaGenerator&) = delete;

    // Ideas first .. first+count-1 (1-based) of the request's list. The same
    // request always gives the same list, and asking in pieces gives the same
    // ideas as asking at once, so a window can stream them.
    std::vector<Idea> ideas(const IdeaRequest& request, int first, int count) const;
    // Variations of one idea, each changing one thing (palette, fonts, layout or symbol).
    std::vector<Idea> variations(const IdeaRequest& request, const Idea& idea, int count) const;
    // Clip-art keywords (and synonyms) that begin with prefix, for suggestions as the user types.
    QStringList keywordSuggestions(const QString& prefix, int limit) const;
    // A picture of the idea width pixels wide, on its own background. Safe to
    // call from several threads at once (each call draws with its own renderer).
    QImage preview(const Idea& idea, int width) const;

private:
    struct Library;
    std::unique_ptr<Library> library_;
};

} // namespace vm::ideas
