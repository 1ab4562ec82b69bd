#include "canvas/ideas/contrast.h"
#include "canvas/ideas/idea_data.h"
#include "canvas/ideas/text_fit.h"
#include "canvas/ideas/idea_generator.h"

#include <QSet>
#include <gtest/gtest.h>

namespace vm::ideas {
namespace {

TEST(IdeaRules, ContrastFollowsTheAccessibilityFormula)
{
    const struct {
        QColor a, b;
        double ratio;
    } cases[] = {{Qt::black, Qt::white, 21.0}, {Qt::white, Qt::white, 1.0}, {QColor("#777777"), Qt::white, 4.48},
                 {QColor("#2f6fb5"), Qt::white, 5.2}};
    for (const auto& entry : cases)
        EXPECT_NEAR(contrastRatio(entry.a, entry.b), entry.ratio, 0.05) << entry.a.name().toStdString();
    EXPECT_EQ(mostReadableOn(QColor("#14213d"), {QColor("#1b2a41"), QColor("#f5efe0")}), QColor("#f5efe0"));
}

TEST(IdeaRules, LongNamesBreakWhereTheLinesBalance)
{
    const struct {
        const char* name;
        const char* lines;
    } cases[] = {{"Nordic Bakery", "Nordic\nBakery"},
                 {"The Very Long Name Trading Company Limit", "The Very Long Name\nTrading Company Limit"},
                 {"Q", "Q"},
                 {"  Piekarnia   Źródło Łódź ", "Piekarnia\nŹródło Łódź"}};
    for (const auto& entry : cases)
        EXPECT_EQ(onTwoLines(QString::fromUtf8(entry.name)), QString::fromUtf8(entry.lines)) << entry.name;
}

TEST(IdeaRules, InitialsAreTheFirstLettersOfTheFirstTwoWords)
{
    const struct {
        const char* name;
        const char* initials;
    } cases[] = {{"Nordic Bakery", "NB"}, {"q", "Q"}, {"Αρτοποιείο Ήλιος", "ΑΉ"}, {"  harper & cole law", "HC"},
                 {"!!!", "!"}};
    for (const auto& entry : cases)
        EXPECT_EQ(initialsOf(QString::fromUtf8(entry.name)), QString::fromUtf8(entry.initials)) << entry.name;
}

// The shipped data keeps its promises: enough palettes for every mood and colour
// family, each readable, and synonyms that name symbols the library has.
TEST(IdeaRules, ShippedPalettesCoverEveryMoodAndFamilyAndRead)
{
    const std::vector<Palette> palettes = loadPalettes(QStringLiteral(VM_DIST_DIR "/ideas/palettes.xml"));
    EXPECT_GE(palettes.size(), 30u);
    QSet<QString> ids, moods, families;
    for (const Palette& palette : palettes) {
        ids.insert(palette.id);
        families.insert(palette.family);
        for (const QString& mood : palette.moods) {
            EXPECT_TRUE(moodNames().contains(mood)) << palette.id.toStdString();
            moods.insert(mood);
        }
        EXPECT_GE(contrastRatio(palette.ink, palette.paper), 4.5) << palette.id.toStdString();
    }
    EXPECT_EQ(ids.size(), qsizetype(palettes.size()));
    EXPECT_EQ(moods.size(), moodNames().size());
    const QStringList allFamilies = colourFamilies();
    EXPECT_EQ(families, QSet<QString>(allFamilies.begin(), allFamilies.end()));
}

TEST(IdeaRules, BrokenDataFilesGiveNothingRatherThanFail)
{
    EXPECT_TRUE(loadPalettes(QStringLiteral("/nonexistent/palettes.xml")).empty());
    EXPECT_TRUE(loadPairings(QStringLiteral(VM_DIST_DIR "/ideas/synonyms.xml")).empty());
    EXPECT_TRUE(loadSynonyms(QStringLiteral(VM_DIST_DIR "/datasrc")).isEmpty());
    // A generator without data still makes plain ideas.
    const IdeaGenerator bare(QStringLiteral("/nonexistent/datasrc"), QStringLiteral("/nonexistent/ideas"));
    IdeaRequest request;
    request.name = QStringLiteral("Acme");
    const std::vector<Idea> ideas = bare.ideas(request, 1, 3);
    ASSERT_EQ(ideas.size(), 3u);
    EXPECT_FALSE(ideas.front().logo.elements.empty());
    request.name = QStringLiteral("   ");
    EXPECT_TRUE(bare.ideas(request, 1, 3).empty());
}

} // namespace
} // namespace vm::ideas
