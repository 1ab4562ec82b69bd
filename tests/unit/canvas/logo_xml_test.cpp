#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/logo_xml.h"
#include "canvas_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

namespace vm::test {
namespace {

TEST(LogoXml, RefusesWhatItCannotOpenWithAMessage)
{
    const QByteArray root = "<VantamorphLogo version=\"1\">";
    const QByteArray group = "<Group>";
    const struct {
        QByteArray xml;
        const char* words;
    } cases[] = {
        {"<VantamorphLogo version=\"3\"/>", "newer version"},
        {"<VantamorphLogo version=\"1\"><Text", "damaged"},
        {"", "damaged"},
        {"<svg version=\"1\"/>", "not a Vantamorph logo"},
        {"<VantamorphLogo/>", "no valid format version"},
        {"<VantamorphLogo version=\"abc\"/>", "no valid format version"},
        // Deep nesting is refused, never recursed into.
        {root + group.repeated(5000) + "</VantamorphLogo>", ""},
        {root + group.repeated(200) + QByteArray("</Group>").repeated(200) + "</VantamorphLogo>", "too deeply"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.xml.left(80).toStdString());
        const logo_xml::ReadResult read = logo_xml::read(bad.xml);
        EXPECT_FALSE(read.document);
        EXPECT_TRUE(read.error.contains(QLatin1String(bad.words))) << read.error.toStdString();
    }
}

TEST(LogoXml, HostileValuesAreClampedOrFallBackInsteadOfBreakingTheLogo)
{
    const logo_xml::ReadResult read = logo_xml::read(
        "<VantamorphLogo version=\"2\" width=\"-5\" background=\"red\">"
        "<Text x=\"nan\" y=\"1e400\" width=\"0\" height=\"-3\" rotation=\"99999\" size=\"0\" color=\"#zzz\" text=\"a\" "
        "opacity=\"7\" arcRadius=\"1e300\" letterSpacing=\"-inf\" lineSpacing=\"0\" align=\"diagonal\" "
        "strokeWidth=\"-4\" shadow=\"yes\" shadowBlur=\"1e9\" fill=\"linear\" stops=\"1 #0000ff;x #ff0000;0.5;-3 #00ff00;0.5 #zz\"/>"
        "<Unknown/><Symbol symbol=\"../../etc/passwd\"/>"
        "<Shape shape=\"hexagon\" sides=\"100000\" points=\"-2\" innerRatio=\"9\" cornerRadius=\"-1\" opacity=\"-1\"/>"
        "</VantamorphLogo>");
    ASSERT_TRUE(read.document) << read.error.toStdString();
    ASSERT_EQ(read.document->elements.size(), 3u); // the unknown element is skipped
    EXPECT_EQ(read.document->background, QColor(Qt::white));
    EXPECT_EQ(read.document->stageSize.width(), 1);
    const LogoElement& text = read.document->elements.at(0);
    EXPECT_EQ(text.position.x(), 0);
    EXPECT_GT(text.size.width(), 0);
    EXPECT_GT(text.size.height(), 0);
    EXPECT_LE(text.rotation, 360);
    EXPECT_GE(text.fontSize, 1);
    EXPECT_EQ(text.color, QColor(Qt::black));
    EXPECT_EQ(text.opacity, 1);
    EXPECT_EQ(text.arcRadius, limits::maxArcRadius);
    EXPECT_EQ(text.letterSpacing, 0);
    EXPECT_EQ(text.lineSpacing, limits::minLineSpacing);
    EXPECT_EQ(text.alignment, TextAlignment::Left);
    EXPECT_EQ(text.strokeWidth, 0);
    EXPECT_FALSE(text.shadow.enabled);
    EXPECT_EQ(text.shadow.blur, limits::maxBlur);
    // Only the readable stops, in order and within 0..1.
    EXPECT_EQ(text.fill.stops, QGradientStops({{0, QColor(0, 255, 0)}, {1, QColor(0, 0, 255)}}));
    const LogoElement& shape = read.document->elements.at(2);
    EXPECT_EQ(shape.shapeType, ShapeType::Rectangle);
    EXPECT_EQ(shape.sides, limits::maxSides);
    EXPECT_EQ(shape.points, limits::minSides);
    EXPECT_EQ(shape.innerRatio, limits::maxInnerRatio);
    EXPECT_EQ(shape.cornerRadius, 0);
    EXPECT_EQ(shape.opacity, 0);
}

// One element with one property away from its default, as the editor sets it.
struct StyledCase {
    const char* name;
    ElementKind kind;
    std::function<void(LogoElement&)> set;
};

TEST(LogoXml, EveryKindAndStylePropertySurvivesAndSavesToTheSameBytes)
{
    // Text with markup characters, newlines and non-ASCII letters stays text; the format is versioned under its own root.
    const QByteArray everyKind = logo_xml::write(everyKindLogo());
    EXPECT_TRUE(everyKind.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VantamorphLogo version=\"2\""));
    const logo_xml::ReadResult reread = logo_xml::read(everyKind);
    ASSERT_TRUE(reread.document) << reread.error.toStdString();
    EXPECT_EQ(*reread.document, everyKindLogo());
    EXPECT_EQ(logo_xml::write(*reread.document), everyKind);

    const QGradientStops stops = {{0, QColor(255, 0, 0)}, {0.25, QColor(0, 0, 255, 100)}, {1, QColor(0, 200, 0)}};
    const StyledCase cases[] = {
        {"name", ElementKind::Text, [](LogoElement& e) { e.name = QStringLiteral("Title \"<main>\" ") + ae; }},
        {"lock hide flips", ElementKind::Text, [](LogoElement& e) { e.locked = e.hidden = e.flipHorizontal = e.flipVertical = true; }},
        {"opacity", ElementKind::Text, [](LogoElement& e) { e.opacity = 0.375; }},
        {"shadow", ElementKind::Text, [](LogoElement& e) { e.shadow = {true, QColor(10, 20, 30, 40), QPointF(-2.5, 7), 9}; }},
        {"arc up", ElementKind::Text, [](LogoElement& e) { e.arcRadius = 123.5; }},
        {"arc down", ElementKind::Text, [](LogoElement& e) { e.arcRadius = -80; }},
        {"spacing", ElementKind::Text, [](LogoElement& e) { e.letterSpacing = -1.5, e.lineSpacing = 1.75; }},
        {"alignment and case", ElementKind::Text, [](LogoElement& e) { e.alignment = TextAlignment::Right, e.textCase = TextCase::Upper; }},
        {"outline", ElementKind::Text, [](LogoElement& e) { e.strokeColor = QColor(1, 2, 3), e.strokeWidth = 2.25; }},
        {"linear", ElementKind::Text, [&](LogoElement& e) { e.fill = {Fill::Kind::Linear, 135, stops}; }},
        {"radial", ElementKind::Shape, [&](LogoElement& e) { e.fill = {Fill::Kind::Radial, 0, stops}; }},
        {"rounded", ElementKind::Shape, [](LogoElement& e) { e.shapeType = ShapeType::RoundedRectangle, e.cornerRadius = 30; }},
        {"polygon", ElementKind::Shape, [](LogoElement& e) { e.shapeType = ShapeType::Polygon, e.sides = 9; }},
        {"star", ElementKind::Shape, [](LogoElement& e) { e.shapeType = ShapeType::Star, e.points = 7, e.innerRatio = 0.3; }},
        {"line", ElementKind::Shape, [](LogoElement& e) { e.shapeType = ShapeType::Line, e.strokeWidth = 6; }},
        {"ellipse outline", ElementKind::Shape,
         [](LogoElement& e) { e.shapeType = ShapeType::Ellipse, e.strokeColor = Qt::red, e.strokeWidth = 3; }},
    };
    for (const StyledCase& styled : cases) {
        LogoDocument logo;
        logo.background = QColor(0x12, 0x34, 0x56, 0); // transparent, its colour kept
        LogoElement element;
        element.kind = styled.kind;
        if (styled.kind == ElementKind::Text)
            element.text = QStringLiteral("One\nTwo");
        element.color = QColor(200, 100, 0);
        styled.set(element);
        LogoElement group;
        group.kind = ElementKind::Group;
        group.children = {element};
        styled.set(group); // every kind keeps the properties of every element
        logo.elements = {element, group};

        const QByteArray first = logo_xml::write(logo);
        const logo_xml::ReadResult read = logo_xml::read(first);
        ASSERT_TRUE(read.document) << styled.name << ": " << read.error.toStdString();
        EXPECT_EQ(read.document->elements[0], logo.elements[0]) << styled.name << "\n" << first.toStdString();
        EXPECT_EQ(read.document->elements[1].name, group.name) << styled.name;
        EXPECT_EQ(read.document->elements[1].opacity, group.opacity) << styled.name;
        EXPECT_EQ(read.document->elements[1].shadow, group.shadow) << styled.name;
        EXPECT_TRUE(read.document->backgroundTransparent());
        EXPECT_EQ(logo_xml::write(*read.document), first) << styled.name;
    }
}

TEST(LogoXml, AVersionOneLogoOpensUnchangedAndSavesAsVersionTwoWithoutExtras)
{
    const QByteArray elements = "  <Text x=\"10\" y=\"20\" width=\"120\" height=\"30\" rotation=\"5\" text=\"Acme\" font=\"DejaVu Sans\" "
                                "size=\"24\" bold=\"true\" italic=\"false\" color=\"#112233\" />\n"
                                "  <Symbol x=\"1\" y=\"2\" width=\"3\" height=\"4\" rotation=\"0\" symbol=\"ClipArts/Nature/leaf.svg\" "
                                "color=\"#3c9a3f\" />\n";
    const QByteArray versionOne = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VantamorphLogo version=\"1\" width=\"507\" "
                                  "height=\"397\" background=\"#ffffff\">\n"
        + elements + "</VantamorphLogo>\n";
    const logo_xml::ReadResult read = logo_xml::read(versionOne);
    ASSERT_TRUE(read.document) << read.error.toStdString();
    const LogoElement& text = read.document->elements.at(0);
    LogoElement expected;
    expected.kind = ElementKind::Text;
    expected.position = QPointF(10, 20);
    expected.size = QSizeF(120, 30);
    expected.rotation = 5;
    expected.text = QStringLiteral("Acme");
    expected.fontFamily = QStringLiteral("DejaVu Sans");
    expected.bold = true;
    expected.color = QColor(0x11, 0x22, 0x33);
    EXPECT_EQ(text, expected); // every newer property at its default
    const QByteArray saved = logo_xml::write(*read.document);
    EXPECT_EQ(saved, QByteArray(versionOne).replace("version=\"1\" width", "version=\"2\" width"));
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

// A list the user changed (kept in the user's datasrc) replaces the shipped
// one; the other lists and the symbols' paths stay the shipped ones.
TEST(ClipArtCatalogue, TheUsersCopyOfAListIsReadInsteadOfTheShippedOne)
{
    QTemporaryDir user;
    QDir().mkpath(user.path() + QStringLiteral("/ClipArts/Nature"));
    QFile list(user.path() + QStringLiteral("/ClipArts/Nature/Nature.xml"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("<Symbols><Symbol><Id>leaf</Id><Keywords>leaf,autumnal</Keywords><File>leaf.svg</File></Symbol></Symbols>");
    list.close();

    const ClipArtCatalogue shipped = ClipArtCatalogue::load(sourceDataFolder(), QString());
    const ClipArtCatalogue overlaid = ClipArtCatalogue::load(sourceDataFolder(), user.path());
    EXPECT_TRUE(shipped.search(QStringLiteral("autumnal")).isEmpty());
    ASSERT_EQ(overlaid.search(QStringLiteral("autumnal")).size(), 1);
    EXPECT_EQ(overlaid.search(QStringLiteral("autumnal")).first()->path, QStringLiteral("ClipArts/Nature/leaf.svg"));
    EXPECT_TRUE(overlaid.search(QStringLiteral("mountain"), QStringLiteral("Nature")).isEmpty()); // the user's list is whole
    EXPECT_EQ(overlaid.symbolCount(), shipped.symbolCount() - 5);
}

} // namespace
} // namespace vm::test
