#include "canvas/ideas/idea_generator.h"

#include "canvas/ideas/idea_choices.h"
#include "canvas/ideas/idea_data.h"
#include "canvas/ideas/symbol_finder.h"
#include "canvas/ideas/text_fit.h"
#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/font_coverage.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/shipped_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

// Ideas are made of data (palettes, pairings, synonyms, the clip-art catalogue)
// and rules (the layout families); every free choice comes from a stream seeded
// by the request's seed and the idea's number.
namespace vm::ideas {

namespace {
// The stage less its margins: what a layout is scaled to fill.
const QSizeF room(427, 321);
// A very short name (one letter) stops growing here.
constexpr double largestFont = 150;
constexpr int symbolsPerRequest = 8;
} // namespace

struct IdeaGenerator::Library {
    QString datasrc;
    ClipArtCatalogue catalogue;
    std::vector<Palette> palettes;
    std::vector<Pairing> pairings;
    QHash<QString, QStringList> synonyms;
    std::unique_ptr<SymbolFinder> finder;
    mutable QMutex mutex;
    mutable QHash<QString, QString> families; // text|preferred|serif -> family with its letters

    QString familyFor(const QString& text, const QString& preferred, bool serif) const
    {
        const QString key = text + QLatin1Char('|') + preferred + QLatin1Char('|') + QLatin1Char(serif ? '1' : '0');
        QMutexLocker lock(&mutex);
        if (const auto found = families.constFind(key); found != families.constEnd())
            return *found;
        const QString family = familyForText(text, preferred, serif);
        families.insert(key, family);
        return family;
    }

    Menu menuFor(const IdeaRequest& request) const
    {
        Menu menu;
        menu.layouts = layoutsFor(request.name, request.tagline);
        menu.palettes = palettesFor(palettes, request.moods, request.colourFamily);
        menu.pairings = pairingsFor(pairings, request.moods);
        menu.symbols = finder->find(request.keywords, request.name, symbolsPerRequest);
        return menu;
    }

    Idea build(const IdeaRequest& request, const Choice& choice, int number) const
    {
        Idea idea;
        idea.number = number;
        if (!choice.layout)
            return idea;
        idea.layout = choice.layout->id;
        idea.palette = choice.palette->id;
        idea.pairing = choice.pairing->id;
        idea.symbol = choice.symbol;

        Design design;
        design.name = request.name.simplified();
        design.tagline = request.tagline.simplified();
        design.initials = initialsOf(design.name);
        design.palette = *choice.palette;
        design.symbol = choice.symbol;
        design.variant = choice.variant;
        design.nameStyle = choice.pairing->name;
        design.taglineStyle = choice.pairing->tagline;
        // A name in letters the pairing's font lacks is set in one that has them.
        const QString shownName = design.nameStyle.upper ? design.name.toUpper() : design.name;
        design.nameStyle.family = familyFor(shownName + design.initials, design.nameStyle.family, choice.pairing->serif);
        if (!design.tagline.isEmpty()) {
            const QString shown = design.taglineStyle.upper ? design.tagline.toUpper() : design.tagline;
            design.taglineStyle.family = familyFor(shown, design.taglineStyle.family, choice.pairing->serif);
        }
        idea.logo.background = design.palette.paper;
        idea.logo.elements = placeOnStage(choice.layout->build(design), idea.logo.stageSize, room, largestFont);
        return idea;
    }

    const Palette* palette(const QString& id) const
    {
        for (const Palette& palette : palettes)
            if (palette.id == id)
                return &palette;
        return nullptr;
    }
    const Pairing* pairing(const QString& id) const
    {
        for (const Pairing& pairing : pairings)
            if (pairing.id == id)
                return &pairing;
        return nullptr;
    }
};

QStringList moodNames()
{
    return {QStringLiteral("modern"), QStringLiteral("classic"), QStringLiteral("playful"),
            QStringLiteral("elegant"), QStringLiteral("bold"), QStringLiteral("minimal")};
}

QStringList colourFamilies()
{
    return {QStringLiteral("blue"), QStringLiteral("green"), QStringLiteral("red"), QStringLiteral("orange"),
            QStringLiteral("purple"), QStringLiteral("neutral")};
}

IdeaGenerator::IdeaGenerator(const QString& datasrcFolder, const QString& ideasFolder)
    : library_(std::make_unique<Library>())
{
    Library& library = *library_;
    library.datasrc = datasrcFolder;
    library.catalogue = ClipArtCatalogue::load(datasrcFolder);
    library.palettes = loadPalettes(QDir(ideasFolder).filePath(QStringLiteral("palettes.xml")));
    library.pairings = loadPairings(QDir(ideasFolder).filePath(QStringLiteral("pairings.xml")));
    library.synonyms = loadSynonyms(QDir(ideasFolder).filePath(QStringLiteral("synonyms.xml")));
    // Without its data the generator still makes plain ideas rather than none.
    if (library.palettes.empty())
        library.palettes.push_back({QStringLiteral("plain"), Qt::white, Qt::black, QColor(0x44, 0x44, 0x44), {}, {}});
    if (library.pairings.empty()) {
        Pairing plain;
        plain.id = QStringLiteral("plain");
        plain.name = {defaultTextFamily(), true};
        plain.tagline = {defaultTextFamily()};
        library.pairings.push_back(plain);
    }
    library.finder = std::make_unique<SymbolFinder>(library.catalogue, library.synonyms);
    // The shipped fonts beside the data folder, so that texts are measured in the faces they are drawn in.
    registerShippedFonts(QDir(QFileInfo(datasrcFolder).absolutePath()).filePath(QStringLiteral("fonts")));
}

IdeaGenerator::~IdeaGenerator() = default;

std::vector<Idea> IdeaGenerator::ideas(const IdeaRequest& request, int first, int count) const
{
    std::vector<Idea> result;
    if (request.name.trimmed().isEmpty() || count <= 0 || first <= 0)
        return result;
    const Menu menu = library_->menuFor(request);
    for (int number = first; number < first + count; ++number)
        result.push_back(library_->build(request, choose(menu, request.seed, number), number));
    return result;
}

std::vector<Idea> IdeaGenerator::variations(const IdeaRequest& request, const Idea& idea, int count) const
{
    std::vector<Idea> result;
    if (request.name.trimmed().isEmpty() || count <= 0)
        return result;
    const Menu menu = library_->menuFor(request);
    Choice base = choose(menu, request.seed, idea.number);
    for (const LayoutFamily* layout : menu.layouts)
        if (layout->id == idea.layout)
            base.layout = layout;
    if (const Palette* palette = library_->palette(idea.palette))
        base.palette = palette;
    if (const Pairing* pairing = library_->pairing(idea.pairing))
        base.pairing = pairing;
    base.symbol = idea.symbol;
    if (!base.layout)
        return result;

    std::mt19937 random = streamFor(request.seed, idea.number, 0x5a71);
    std::vector<Change> changes{Change::Palette, Change::Fonts, Change::Layout};
    if (menu.symbols.size() > 1 && !idea.symbol.isEmpty())
        changes.push_back(Change::Symbol);
    int guard = 0;
    while (int(result.size()) < count && guard++ < count * 8) {
        Choice next = base;
        const auto pick = [&random](auto size) { return size_t(random() % quint32(size)); };
        switch (changes[result.size() % changes.size()]) {
        case Change::Palette: next.palette = menu.palettes[pick(menu.palettes.size())]; break;
        case Change::Fonts: next.pairing = menu.pairings[pick(menu.pairings.size())]; break;
        case Change::Layout:
            next.layout = menu.layouts[pick(menu.layouts.size())];
            if (next.layout->showsSymbol && next.symbol.isEmpty() && !menu.symbols.isEmpty())
                next.symbol = menu.symbols.front();
            break;
        case Change::Symbol: next.symbol = menu.symbols[pick(menu.symbols.size())]; break;
        }
        if (!next.layout->showsSymbol)
            next.symbol.clear();
        if (next.layout == base.layout && next.palette == base.palette && next.pairing == base.pairing
            && next.symbol == base.symbol)
            continue;
        result.push_back(library_->build(request, next, idea.number));
    }
    return result;
}

QStringList IdeaGenerator::keywordSuggestions(const QString& prefix, int limit) const
{
    return library_->finder->suggestions(prefix, limit);
}

QImage IdeaGenerator::preview(const Idea& idea, int width) const
{
    LogoRenderer renderer(LogoResources{library_->datasrc, QString()});
    const double scale = double(std::max(width, 1)) / idea.logo.stageSize.width();
    return renderer.render(idea.logo, scale, idea.logo.background);
}

} // namespace vm::ideas
