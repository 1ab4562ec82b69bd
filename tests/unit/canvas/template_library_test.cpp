// The shipped templates as data, and the library that reads them and the user's own.
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/logo/template_library.h"
#include "canvas_test_support.h"

#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

QString shippedTemplates() { return QStringLiteral(VM_SOURCE_DIR "/data/templates"); }
QString shippedFonts() { return QStringLiteral(VM_SOURCE_DIR "/data/fonts"); }

// Pixels that differ from the background: something was drawn.
int drawnPixels(const QImage& image, const QColor& background)
{
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background)
                ++drawn;
    return drawn;
}

void collectResources(const std::vector<LogoElement>& elements, QStringList& fonts, QStringList& symbols, int& texts)
{
    for (const LogoElement& element : elements) {
        if (element.kind == ElementKind::Text) {
            fonts.append(element.fontFamily);
            ++texts;
        }
        if (element.kind == ElementKind::Symbol)
            symbols.append(element.symbol);
        collectResources(element.children, fonts, symbols, texts);
    }
}

TEST(ShippedTemplates, EveryTemplateIsACompleteLogoOnShippedResources)
{
    QStringList known = registerShippedFonts(shippedFonts());
    ASSERT_GE(known.size(), 5) << known.join(QLatin1Char(',')).toStdString();
    known += systemFontFamilies();
    QStringList skipped;
    const TemplateLibrary library =
        TemplateLibrary::load(shippedTemplates(), QString(), [&](const QString& line) { skipped.append(line); });
    EXPECT_TRUE(skipped.isEmpty()) << skipped.join(QLatin1Char('\n')).toStdString();
    ASSERT_GE(library.templates().size(), 30);
    // Six shipped categories and the user's own.
    EXPECT_GE(library.categories().size(), 7);
    EXPECT_EQ(library.categories().last(), TemplateLibrary::ownCategory);

    const LogoRenderer renderer({sourceDataFolder(), QString()});
    for (const LogoTemplate& entry : library.templates()) {
        SCOPED_TRACE(entry.path.toStdString());
        QStringList fonts;
        QStringList symbols;
        int texts = 0;
        collectResources(entry.logo.elements, fonts, symbols, texts);
        // A name and a tagline at least, and a symbol.
        EXPECT_GE(texts, 2);
        EXPECT_GE(symbols.size(), 1);
        for (const QString& font : fonts) {
            EXPECT_TRUE(known.contains(font)) << font.toStdString();
            EXPECT_EQ(QFontInfo(QFont(font)).family(), font) << "the font does not resolve to itself";
        }
        for (const QString& symbol : symbols)
            EXPECT_TRUE(isInsidePath(symbol) && QFileInfo::exists(sourceDataFolder() + QLatin1Char('/') + symbol))
                << symbol.toStdString();
        // Everything is on the stage, and the stage shows something.
        const QRectF stage(QPointF(0, 0), QSizeF(entry.logo.stageSize));
        for (const LogoElement& element : entry.logo.elements)
            EXPECT_TRUE(stage.contains(element.box())) << element.text.toStdString() << element.symbol.toStdString();
        const QImage image = renderer.render(entry.logo, 0.25, entry.logo.background);
        EXPECT_GT(drawnPixels(image, entry.logo.background), image.width() * image.height() / 50);
        // The file is exactly what our writer makes: a template saved unchanged gives the same bytes.
        EXPECT_EQ(logo_xml::write(entry.logo), readFile(entry.path));
    }
}

TEST(TemplateLibrary, BrokenFilesAreSkippedAndOwnTemplatesComeLast)
{
    QTemporaryDir shipped;
    QTemporaryDir own;
    const QByteArray good = logo_xml::write(everyKindLogo());
    writeFile(shipped.filePath(QStringLiteral("zoo/lion.xml")), good);
    writeFile(shipped.filePath(QStringLiteral("zoo/broken.xml")), "<VantamorphLogo version=\"1\"><Text");
    writeFile(shipped.filePath(QStringLiteral("zoo/newer.xml")), "<VantamorphLogo version=\"9\"/>");
    writeFile(shipped.filePath(QStringLiteral("zoo/empty.xml")), "");
    writeFile(shipped.filePath(QStringLiteral("art-deco/fan.xml")), good);
    writeFile(shipped.filePath(QStringLiteral("art-deco/notes.txt")), "not a template");
    QStringList log;
    TemplateLibrary library =
        TemplateLibrary::load(shipped.path(), own.path(), [&](const QString& line) { log.append(line); });
    EXPECT_EQ(library.templates().size(), 2);
    EXPECT_EQ(log.size(), 3) << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(library.categories(), QStringList({QStringLiteral("Art Deco"), QStringLiteral("Zoo"), TemplateLibrary::ownCategory}));
    EXPECT_EQ(TemplateLibrary::shownName(QStringLiteral("the-best-of-the-west")), QStringLiteral("The Best of the West"));
    EXPECT_EQ(TemplateLibrary::shownName(QStringLiteral("--x--")) + TemplateLibrary::shownName(QString()), QStringLiteral("X"));
    ASSERT_NE(library.find(QStringLiteral("zoo"), QStringLiteral("LION")), nullptr);
    EXPECT_EQ(library.find(QStringLiteral("Zoo"), QStringLiteral("Lion"))->logo, everyKindLogo());
    EXPECT_TRUE(library.inCategory(TemplateLibrary::ownCategory).isEmpty());

    // Saving: the name becomes a file inside the own folder, whatever it holds.
    QString error;
    const QString saved = TemplateLibrary::saveOwn(own.path(), QStringLiteral("../My/Logo"), everyKindLogo(), &error);
    ASSERT_FALSE(saved.isEmpty()) << error.toStdString();
    EXPECT_EQ(QFileInfo(saved).absolutePath(), QFileInfo(own.path()).absoluteFilePath());
    EXPECT_EQ(readFile(saved), good);
    // Saving again under the same name replaces it.
    LogoDocument changed = everyKindLogo();
    changed.background = Qt::black;
    EXPECT_EQ(TemplateLibrary::saveOwn(own.path(), QStringLiteral("../My/Logo"), changed, &error), saved);
    EXPECT_TRUE(TemplateLibrary::saveOwn(own.path(), QStringLiteral("  ..  "), changed, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());

    library = TemplateLibrary::load(shipped.path(), own.path(), {});
    const QList<const LogoTemplate*> mine = library.inCategory(TemplateLibrary::ownCategory);
    ASSERT_EQ(mine.size(), 1);
    EXPECT_TRUE(mine[0]->own);
    EXPECT_EQ(mine[0]->logo, changed);
    EXPECT_EQ(mine[0]->name, QFileInfo(saved).completeBaseName());

    // A folder that cannot be made is reported, not a crash.
    writeFile(own.filePath(QStringLiteral("file")), "x");
    EXPECT_TRUE(TemplateLibrary::saveOwn(own.filePath(QStringLiteral("file/sub")), QStringLiteral("x"), changed, &error).isEmpty());
}

} // namespace
} // namespace vm::test
