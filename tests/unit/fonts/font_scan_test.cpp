#include "platform/api/installed_fonts.h"
#include "fonts/font_scan.h"
#include "tests/unit/fonts/fonts_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

class FontScanTest : public ::testing::Test {
protected:
    QString fontsFolder() const { return windir.path() + QStringLiteral("/Fonts/"); }
    QString cacheFile() const { return cache.path() + QStringLiteral("/names.cache"); }
    FontScanResult scan() { return scanInstalledFonts(windir.path(), fonts, cacheFile()); }

    QTemporaryDir windir;
    QTemporaryDir cache;
    FakeInstalledFonts fonts;
};

TEST_F(FontScanTest, ListsEveryFileEndingInTtfWithItsNameAndACommaAfterEach)
{
    fonts.addFile(fontsFolder() + QStringLiteral("a.ttf"), QStringLiteral("Arial"));
    fonts.addFile(fontsFolder() + QStringLiteral("b.TTF"), QStringLiteral("Black & White"));
    fonts.addFile(fontsFolder() + QStringLiteral("damaged.Ttf"), QString());
    fonts.addFile(fontsFolder() + QStringLiteral("c.otf"), QStringLiteral("Other"));
    fonts.addFile(fontsFolder() + QStringLiteral("nested/d.ttf"), QStringLiteral("Nested"));
    const FontCatalogue catalogue = scan().catalogue;
    QStringList files = catalogue.fontFiles;
    files.sort();
    EXPECT_EQ(files, (QStringList{fontsFolder() + "a.ttf", fontsFolder() + "b.TTF", fontsFolder() + "damaged.Ttf"}));
    QStringList names = catalogue.fontNames;
    names.sort();
    EXPECT_EQ(names, (QStringList{QString(), "Arial", "Black And White"}));
    // The list follows the file order, and an empty name still takes its place.
    QString expected;
    for (const QString& name : catalogue.fontNames)
        expected += name + ',';
    EXPECT_EQ(catalogue.userFontList(), expected);
    EXPECT_EQ(catalogue.userFontList().count(','), 3);
}

TEST_F(FontScanTest, MoreThanThreeThousandAndOneFilesAreAllListedAndWithoutWindirTheSystemFoldersAreSearched)
{
    for (int index = 0; index < 3010; ++index)
        fonts.addFile(fontsFolder() + QStringLiteral("f%1.ttf").arg(index), QStringLiteral("Face %1").arg(index));
    const FontCatalogue catalogue = scan().catalogue;
    EXPECT_EQ(catalogue.userFontList().count(','), 3010);
    EXPECT_EQ(catalogue.fileOf(QStringLiteral("Face 3009")), fontsFolder() + QStringLiteral("f3009.ttf"));

    // Without windir: the system folders with their subfolders.
    QTemporaryDir system;
    fonts.folders = {system.path() + QStringLiteral("/one"), system.path() + QStringLiteral("/two")};
    fonts.addFile(system.path() + QStringLiteral("/one/deep/er/x.ttf"), QStringLiteral("X"));
    fonts.addFile(system.path() + QStringLiteral("/two/y.ttf"), QStringLiteral("Y"));
    EXPECT_EQ(scanInstalledFonts(QString(), fonts, QString()).catalogue.userFontList(), QStringLiteral("X,Y,"));
}

TEST_F(FontScanTest, TheCacheSparesUnchangedFilesAndRereadsChangedOnes)
{
    fonts.addFile(fontsFolder() + QStringLiteral("a.ttf"), QStringLiteral("Alpha"));
    fonts.addFile(fontsFolder() + QStringLiteral("b.ttf"), QStringLiteral("Beta"));
    fonts.addFile(fontsFolder() + QStringLiteral("bad.ttf"), QString());
    const FontScanResult first = scan();
    EXPECT_EQ(first.fontsOpened, 3);

    const FontScanResult second = scan();
    EXPECT_EQ(second.fontsOpened, 0);
    EXPECT_EQ(second.catalogue.fontNames, first.catalogue.fontNames);

    // Same path, new content: the new name counts, the others stay cached.
    fonts.addFile(fontsFolder() + QStringLiteral("b.ttf"), QStringLiteral("Beta Two"), "longer content");
    const FontScanResult third = scan();
    EXPECT_EQ(third.fontsOpened, 1);
    EXPECT_TRUE(third.catalogue.fontNames.contains(QStringLiteral("Beta Two")));
}

TEST_F(FontScanTest, ADamagedOrForeignCacheMeansARescanAndIsReplaced)
{
    fonts.addFile(fontsFolder() + QStringLiteral("a.ttf"), QStringLiteral("Alpha"));
    fonts.addFile(fontsFolder() + QStringLiteral("b.ttf"), QStringLiteral("Beta"));
    scan();
    const QByteArray good = readFile(cacheFile());
    for (const QByteArray& damage : {good.left(good.size() / 2), QByteArray("\xff\xff\xff\xff garbage"), QByteArray(),
                                     QByteArray::fromHex("a1") /* a map cut short */}) {
        writeFile(cacheFile(), damage);
        const FontScanResult rescanned = scan();
        EXPECT_EQ(rescanned.fontsOpened, 2);
        EXPECT_EQ(rescanned.catalogue.userFontList().count(','), 2);
        EXPECT_EQ(scan().fontsOpened, 0) << "the damaged cache was not replaced";
    }
}

} // namespace
} // namespace vm::test
