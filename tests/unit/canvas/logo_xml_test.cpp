#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/logo_xml.h"
#include "canvas_test_support.h"

#include <gtest/gtest.h>

namespace vm::test {
namespace {

TEST(LogoXml, EveryKindAndPropertySurvivesAndSavesToTheSameBytes)
{
    const LogoDocument logo = everyKindLogo();
    const QByteArray first = logo_xml::write(logo);
    const logo_xml::ReadResult read = logo_xml::read(first);
    ASSERT_TRUE(read.document) << read.error.toStdString();
    EXPECT_EQ(*read.document, logo);
    EXPECT_EQ(logo_xml::write(*read.document), first);
    // Text with markup characters, newlines and non-ASCII letters stays text.
    EXPECT_EQ(read.document->elements[0].text, logo.elements[0].text);
    EXPECT_EQ(read.document->elements[0].color.alpha(), 128);
    EXPECT_EQ(read.document->elements[3].children.size(), 2u);
    // The format is versioned under its own root.
    EXPECT_TRUE(first.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VantamorphLogo version=\"2\""));
}

TEST(LogoXml, RefusesWhatItCannotOpenWithAMessage)
{
    const struct {
        const char* xml;
        const char* words;
    } cases[] = {
        {"<VantamorphLogo version=\"3\"/>", "newer version"},
        {"<VantamorphLogo version=\"1\"><Text", "damaged"},
        {"", "damaged"},
        {"<svg version=\"1\"/>", "not a Vantamorph logo"},
        {"<VantamorphLogo/>", "no valid format version"},
        {"<VantamorphLogo version=\"abc\"/>", "no valid format version"},
    };
    for (const auto& bad : cases) {
        const logo_xml::ReadResult read = logo_xml::read(QByteArray(bad.xml));
        EXPECT_FALSE(read.document) << bad.xml;
        EXPECT_TRUE(read.error.contains(QLatin1String(bad.words))) << bad.xml << " -> " << read.error.toStdString();
    }
}

TEST(LogoXml, HostileValuesFallBackInsteadOfBreakingTheLogo)
{
    const logo_xml::ReadResult read = logo_xml::read(
        "<VantamorphLogo version=\"1\" width=\"-5\" background=\"red\">"
        "<Text x=\"nan\" y=\"1e400\" width=\"0\" height=\"-3\" rotation=\"99999\" size=\"0\" color=\"#zzz\" text=\"a\"/>"
        "<Unknown/><Symbol symbol=\"../../etc/passwd\"/></VantamorphLogo>");
    ASSERT_TRUE(read.document) << read.error.toStdString();
    const LogoElement& text = read.document->elements.at(0);
    EXPECT_EQ(text.position.x(), 0);
    EXPECT_GT(text.size.width(), 0);
    EXPECT_GT(text.size.height(), 0);
    EXPECT_LE(text.rotation, 360);
    EXPECT_GE(text.fontSize, 1);
    EXPECT_EQ(text.color, QColor(Qt::black));
    EXPECT_EQ(read.document->background, QColor(Qt::white));
    EXPECT_EQ(read.document->stageSize.width(), 1);
    EXPECT_EQ(read.document->elements.size(), 2u); // the unknown element is skipped
}

TEST(LogoXml, DeepNestingIsRefusedNotRecursedInto)
{
    const QByteArray root = "<VantamorphLogo version=\"1\">";
    const QByteArray group = "<Group>";
    EXPECT_FALSE(logo_xml::read(root + group.repeated(5000) + "</VantamorphLogo>").document); // also unbalanced
    const logo_xml::ReadResult read =
        logo_xml::read(root + group.repeated(200) + QByteArray("</Group>").repeated(200) + "</VantamorphLogo>");
    EXPECT_FALSE(read.document);
    EXPECT_TRUE(read.error.contains(QLatin1String("too deeply")));
}

TEST(ClipArtCatalogue, TheLibraryIsFoundByNamesKeywordsAndCategories)
{
    const ClipArtCatalogue catalogue = ClipArtCatalogue::load(sourceDataFolder());
    EXPECT_GE(catalogue.categories().size(), 20);
    EXPECT_GT(catalogue.symbolCount(), 1400);
    const auto paths = [](const QList<const ClipArtSymbol*>& symbols) {
        QStringList found;
        for (const ClipArtSymbol* symbol : symbols)
            found.append(symbol->path);
        return found;
    };
    // Our own symbols keep their keywords, any case.
    EXPECT_EQ(paths(catalogue.search(QStringLiteral("ECO ORGANIC"))), QStringList({"ClipArts/Nature/leaf.svg"}));
    EXPECT_TRUE(paths(catalogue.search(QStringLiteral("coffee"))).contains("ClipArts/Commerce/coffee.svg"));
    EXPECT_TRUE(paths(catalogue.search(QStringLiteral("rocket"))).contains("ClipArts/Maps & Travel/rocket.svg"));
    const QStringList leaves = paths(catalogue.search(QStringLiteral("leaf")));
    EXPECT_TRUE(leaves.contains("ClipArts/Nature/leaf.svg"));
    EXPECT_TRUE(leaves.contains("ClipArts/Weather & Nature/leaf.svg"));
    // A word of a keyword with several words, a part of a name, a category.
    EXPECT_FALSE(catalogue.search(QStringLiteral("development")).isEmpty());
    EXPECT_TRUE(paths(catalogue.search(QStringLiteral("circle"))).contains("ClipArts/Arrows/arrow-circle-up.svg"));
    EXPECT_EQ(catalogue.search(QString(), QStringLiteral("Geometric")).size(), 6);
    const QStringList natureLeaves = paths(catalogue.search(QStringLiteral("leaf"), QStringLiteral("Weather & Nature")));
    EXPECT_TRUE(natureLeaves.contains(QStringLiteral("ClipArts/Weather & Nature/leaf.svg")));
    EXPECT_FALSE(natureLeaves.contains(QStringLiteral("ClipArts/Nature/leaf.svg")));
    EXPECT_TRUE(catalogue.search(QStringLiteral("nothingmatchesthis")).isEmpty());
    EXPECT_EQ(catalogue.find(QStringLiteral("ClipArts/Commerce/coffee.svg"))->category, QStringLiteral("Commerce"));
    EXPECT_EQ(catalogue.find(QStringLiteral("ClipArts/none.svg")), nullptr);
    EXPECT_EQ(ClipArtCatalogue::load(QStringLiteral("/nonexistent")).symbolCount(), 0);
}

} // namespace
} // namespace vm::test
