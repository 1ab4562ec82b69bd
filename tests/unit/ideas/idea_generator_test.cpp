#include "tests/unit/ideas/ideas_test_support.h"

#include "canvas/ideas/contrast.h"
#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/font_coverage.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/text_layout.h"

#include <gtest/gtest.h>

namespace vm::ideas::test {
namespace {

QByteArray bytesOf(const std::vector<Idea>& ideas)
{
    QByteArray bytes;
    for (const Idea& idea : ideas)
        bytes += idea.layout.toUtf8() + idea.palette.toUtf8() + idea.pairing.toUtf8() + logo_xml::write(idea.logo);
    return bytes;
}

// Names that strain a layout: one letter, forty letters, other scripts, a long tagline.
const std::vector<IdeaRequest>& hardRequests()
{
    static const std::vector<IdeaRequest> requests = {
        request(QStringLiteral("Q")),
        request(QStringLiteral("Nordic Bakery"), QStringLiteral("Fresh bread since 1962"), {QStringLiteral("bakery")}),
        request(QStringLiteral("The Very Long Name Trading Company Limit"), QStringLiteral("Quality goods and honest prices for everyone")),
        request(QStringLiteral("Piekarnia Źródło Łódź"), QStringLiteral("Chleb na zakwasie")),
        request(QStringLiteral("Αρτοποιείο Ήλιος"), QStringLiteral("Φρέσκο ψωμί")),
        request(QStringLiteral("Пекарня Солнце"), {}, {QStringLiteral("bakery")}),
    };
    return requests;
}

TEST(IdeaGenerator, TheSameSeedGivesTheSameIdeasWholeOrInPieces)
{
    const IdeaRequest bakery = hardRequests()[1];
    const std::vector<Idea> whole = generator().ideas(bakery, 1, 24);
    ASSERT_EQ(whole.size(), 24u);
    EXPECT_EQ(bytesOf(generator().ideas(bakery, 1, 24)), bytesOf(whole));
    std::vector<Idea> pieces = generator().ideas(bakery, 1, 5);
    for (const Idea& idea : generator().ideas(bakery, 6, 12))
        pieces.push_back(idea);
    for (const Idea& idea : generator().ideas(bakery, 18, 7))
        pieces.push_back(idea);
    EXPECT_EQ(bytesOf(pieces), bytesOf(whole));
    for (size_t index = 0; index < whole.size(); ++index)
        EXPECT_EQ(whole[index].number, int(index) + 1);

    IdeaRequest other = bakery;
    other.seed = 2;
    EXPECT_NE(bytesOf(generator().ideas(other, 1, 24)), bytesOf(whole));
}

TEST(IdeaGenerator, SixtyIdeasNeverRepeatLayoutPaletteAndFontsAndUseManyLayouts)
{
    const std::vector<Idea> ideas = generator().ideas(request(QStringLiteral("Harbour Lane")), 1, 60);
    QSet<QString> combinations, layouts, palettes;
    for (const Idea& idea : ideas) {
        combinations.insert(idea.layout + QLatin1Char('|') + idea.palette + QLatin1Char('|') + idea.pairing);
        layouts.insert(idea.layout);
        palettes.insert(idea.palette);
    }
    EXPECT_EQ(combinations.size(), 60);
    EXPECT_GE(layouts.size(), 12);
    EXPECT_GE(palettes.size(), 20);
}

TEST(IdeaGenerator, EveryElementOfEveryIdeaStaysOnTheStage)
{
    for (const IdeaRequest& hard : hardRequests())
        for (const Idea& idea : generator().ideas(hard, 1, 60)) {
            const QRectF stage(QPointF(0, 0), QSizeF(idea.logo.stageSize));
            ASSERT_FALSE(idea.logo.elements.empty()) << hard.name.toStdString();
            for (const LogoElement& element : idea.logo.elements) {
                EXPECT_TRUE(stage.contains(coverOf(element)))
                    << hard.name.toStdString() << " idea " << idea.number << " " << idea.layout.toStdString() << " "
                    << element.name.toStdString();
                if (element.kind == ElementKind::Text)
                    EXPECT_GE(element.fontSize, element.name == role::tagline ? 8 : 12)
                        << hard.name.toStdString() << " idea " << idea.number << " " << idea.layout.toStdString();
            }
            const LogoElement* name = withRole(idea, role::name);
            ASSERT_NE(name, nullptr) << idea.layout.toStdString();
            EXPECT_EQ(QString(name->text).replace(QLatin1Char('\n'), QLatin1Char(' ')), hard.name.simplified());
            EXPECT_EQ(withRole(idea, role::tagline) != nullptr, !hard.tagline.isEmpty()) << idea.layout.toStdString();
        }
}

// What a text sits on: the last filled shape or badge under its centre, else the stage.
QColor groundOf(const Idea& idea, const LogoElement& text)
{
    QColor ground = idea.logo.background;
    for (const LogoElement& element : idea.logo.elements) {
        if (&element == &text)
            break;
        const bool filled = (element.kind == ElementKind::Shape && element.color.alpha() > 0)
                            || (element.kind == ElementKind::Symbol && element.name == role::badge);
        if (filled && element.box().contains(text.box().center()))
            ground = element.color;
    }
    return ground;
}

TEST(IdeaGenerator, NamesAndTaglinesReadAtThreeToOneOnWhatTheySitOn)
{
    for (const IdeaRequest& hard : {hardRequests()[1], hardRequests()[2]})
        for (const Idea& idea : generator().ideas(hard, 1, 80))
            for (const LogoElement& element : idea.logo.elements)
                if (element.name == role::name || element.name == role::tagline)
                    EXPECT_GE(contrastRatio(element.color, groundOf(idea, element)), minimumTextContrast)
                        << idea.number << " " << idea.layout.toStdString() << " " << idea.palette.toStdString() << " "
                        << element.name.toStdString();
}

TEST(IdeaGenerator, AtMostTwoFontsAndThreeColoursPerIdea)
{
    for (const IdeaRequest& hard : hardRequests())
        for (const Idea& idea : generator().ideas(hard, 1, 40)) {
            QSet<QString> fonts;
            for (const LogoElement& element : idea.logo.elements)
                if (element.kind == ElementKind::Text)
                    fonts.insert(element.fontFamily + (element.bold ? "/b" : "") + (element.italic ? "/i" : ""));
            EXPECT_LE(fonts.size(), 2) << idea.layout.toStdString();
            EXPECT_LE(coloursOf(idea.logo).size(), 3) << idea.layout.toStdString() << " " << idea.palette.toStdString();
        }
}

TEST(IdeaGenerator, NamesInOtherScriptsAreSetInFontsThatHaveTheirLetters)
{
    for (const IdeaRequest& hard : {hardRequests()[3], hardRequests()[4], hardRequests()[5]})
        for (const Idea& idea : generator().ideas(hard, 1, 30))
            for (const LogoElement& element : idea.logo.elements)
                if (element.kind == ElementKind::Text)
                    EXPECT_TRUE(familyCovers(element.fontFamily, shownText(element)))
                        << element.fontFamily.toStdString() << " lacks letters of " << element.text.toStdString();
}

TEST(IdeaGenerator, JoinedScriptsAreNeverSpacedOutOrBent)
{
    // Arabic letters set one by one lose their joins: such names keep the shaper's layout.
    for (const Idea& idea : generator().ideas(request(QStringLiteral("مخبز الشمس"), QStringLiteral("خبز طازج")), 1, 40))
        for (const LogoElement& element : idea.logo.elements)
            if (element.kind == ElementKind::Text) {
                EXPECT_EQ(element.arcRadius, 0) << idea.layout.toStdString();
                EXPECT_EQ(element.letterSpacing, 0) << idea.layout.toStdString();
            }
}

TEST(IdeaGenerator, BakeryIdeasMostlyCarryABakerySymbolAndOthersNone)
{
    const ClipArtCatalogue catalogue = ClipArtCatalogue::load(QStringLiteral(VM_DIST_DIR "/datasrc"));
    const QStringList bakeryWords = {QStringLiteral("bread"), QStringLiteral("cake"), QStringLiteral("cookie"),
                                     QStringLiteral("grains"), QStringLiteral("wheat"), QStringLiteral("bakery"),
                                     QStringLiteral("chef-hat"), QStringLiteral("oven"), QStringLiteral("croissant")};
    const std::vector<Idea> ideas = generator().ideas(hardRequests()[1], 1, 60);
    int withSymbol = 0;
    for (const Idea& idea : ideas) {
        if (idea.symbol.isEmpty())
            continue;
        ++withSymbol;
        const ClipArtSymbol* symbol = catalogue.find(idea.symbol);
        ASSERT_NE(symbol, nullptr) << idea.symbol.toStdString();
        const bool fits = bakeryWords.contains(symbol->id)
                          || std::any_of(symbol->keywords.begin(), symbol->keywords.end(),
                                         [&](const QString& keyword) { return bakeryWords.contains(keyword); });
        EXPECT_TRUE(fits) << idea.symbol.toStdString();
        const LogoElement* drawn = withRole(idea, role::symbol);
        ASSERT_NE(drawn, nullptr) << idea.layout.toStdString();
        EXPECT_EQ(drawn->symbol, idea.symbol);
    }
    EXPECT_GE(withSymbol, 36);

    // A made-up word matches nothing: shapes, monograms and wordmarks, never a stray picture.
    for (const Idea& idea : generator().ideas(request(QStringLiteral("Zyxqo Vantrel"), {}, {QStringLiteral("qwzx")}), 1, 30)) {
        EXPECT_TRUE(idea.symbol.isEmpty());
        EXPECT_EQ(withRole(idea, role::symbol), nullptr) << idea.layout.toStdString();
    }
}

TEST(IdeaGenerator, IndustryWordsInTheNameFindTheirSymbolsToo)
{
    const struct {
        const char* name;
        const char* expected; // a symbol id among the first found
    } cases[] = {{"Harper Law", "gavel"}, {"Lotus Yoga", "flower-lotus"}, {"Bloom Florist", "flower"},
                 {"Kowalski Garage", "wrench"}};
    for (const auto& entry : cases) {
        bool found = false;
        for (const Idea& idea : generator().ideas(request(QString::fromUtf8(entry.name)), 1, 30))
            found = found || idea.symbol.endsWith(QStringLiteral("/%1.svg").arg(QLatin1String(entry.expected)));
        EXPECT_TRUE(found) << entry.name;
    }
}

TEST(IdeaGenerator, AVariationChangesOneThing)
{
    const IdeaRequest bakery = hardRequests()[1];
    const Idea original = generator().ideas(bakery, 7, 1).front();
    const std::vector<Idea> variations = generator().variations(bakery, original, 8);
    ASSERT_EQ(variations.size(), 8u);
    for (const Idea& variation : variations) {
        const int changed = int(variation.layout != original.layout) + int(variation.palette != original.palette)
                            + int(variation.pairing != original.pairing);
        EXPECT_LE(changed, 1) << variation.layout.toStdString();
        EXPECT_FALSE(changed == 0 && variation.symbol == original.symbol);
    }
}

TEST(IdeaGenerator, KeywordSuggestionsComeFromTheLibraryAndSynonyms)
{
    const QStringList suggestions = generator().keywordSuggestions(QStringLiteral("bak"), 10);
    EXPECT_TRUE(suggestions.contains(QStringLiteral("bakery")));
    for (const QString& word : suggestions)
        EXPECT_TRUE(word.startsWith(QStringLiteral("bak")));
    EXPECT_TRUE(generator().keywordSuggestions(QString(), 10).isEmpty());
}

} // namespace
} // namespace vm::ideas::test
