#include "fonts/movies/font_movie_descriptions.h"
#include "platform/system/linux_process_runner.h"
#include "tests/unit/fonts/damaged_font.h"
#include "tests/unit/fonts/fonts_fixture.h"

namespace vm::test {
namespace {

const QString ae = QString(QChar(0x00E6));
const QString listText = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><userfonts><font name=\"Lato\"/></userfonts>");

class FontImportTest : public FontsFixture {
protected:
    // Temporary movies and a library kept aside: none may outlive an import.
    QStringList hiddenFiles() const
    {
        return QDir(root.path() + QStringLiteral("/flash")).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    }
};

TEST_F(FontImportTest, BothMoviesAreCompiledFromTheirDescriptionsAndTheListIsStored)
{
    fonts.addFile(fontFile(QStringLiteral("lato.ttf")), QStringLiteral("Lato"));
    start();
    canvasSays(QStringLiteral("importfonts"), QStringLiteral("Lato") + ae + listText);

    const QString compilerPath = quoteCommandLineArgument(programFolder + QStringLiteral("/swfmill"), true);
    const QString flashFolder = root.path() + QStringLiteral("/flash/");
    EXPECT_EQ(compiler.commandLines,
              (QStringList{compilerPath + " simple \"" + flashFolder + "test.xml\" \"" + flashFolder + "Lato.swf\"",
                           compilerPath + " simple \"" + flashFolder + "test_lib.xml\" \"" + flashFolder + "Lato_lib.swf\""}));
    EXPECT_EQ(compiler.folders, (QStringList{flashFolder, flashFolder}));
    const QByteArray library = fontLibraryDescription(QStringLiteral("Lato"), fontFile(QStringLiteral("lato.ttf"))).toUtf8();
    EXPECT_EQ(readFile(flash(QStringLiteral("test.txt"))), library);
    EXPECT_EQ(readFile(flash(QStringLiteral("test.xml"))), library);
    EXPECT_EQ(readFile(flash(QStringLiteral("test_lib.xml"))), fontImportDescription(QStringLiteral("Lato")).toUtf8());
    // The compiled movies end under their own names; nothing temporary stays behind.
    EXPECT_TRUE(readFile(flash(QStringLiteral("Lato.swf"))).contains("test.xml"));
    EXPECT_TRUE(readFile(flash(QStringLiteral("Lato_lib.swf"))).contains("test_lib.xml"));
    EXPECT_EQ(hiddenFiles(), QStringList());
    EXPECT_EQ(readFile(datasrc(QStringLiteral("Font_user.txt"))), listText.toUtf8());
    EXPECT_EQ(readFile(datasrc(QStringLiteral("Font_user.xml"))), listText.toUtf8());
    EXPECT_EQ(canvasCommands().count(QStringLiteral("loaduserfonts|True")), 1);
    EXPECT_TRUE(alerts().isEmpty());
}

TEST_F(FontImportTest, TheLaterFileOfADuplicateNameIsImportedAndAHostileNameStaysInTheFlashFolder)
{
    const QString hostile = QStringLiteral("../../x \"q\"");
    fonts.addFile(fontFile(QStringLiteral("1.ttf")), hostile);
    fonts.addFile(fontFile(QStringLiteral("2.ttf")), hostile);
    start();
    userFonts->scan.wait();
    const QString laterFile = userFonts->scan.catalogue().fontFiles.last();
    canvasSays(QStringLiteral("importfonts"), hostile + ae + listText);
    EXPECT_TRUE(QString::fromUtf8(readFile(flash(QStringLiteral("test.xml")))).contains(xmlAttributeText(laterFile)));
    const QStringList movies = QDir(root.path() + QStringLiteral("/flash")).entryList({QStringLiteral("*.swf")}, QDir::Files);
    EXPECT_EQ(movies.size(), 4) << movies.join(QLatin1Char(',')).toStdString(); // with the canvas's two
    EXPECT_TRUE(movies.contains(fontMovieBaseName(hostile) + QStringLiteral("_lib.swf")));
    EXPECT_FALSE(QFileInfo::exists(root.path() + QStringLiteral("/../x \"q\".swf")));
    EXPECT_EQ(canvasCommands().count(QStringLiteral("loaduserfonts|True")), 1);
}

TEST_F(FontImportTest, WithoutTheSeparatorTheMoviesAreBuiltButTheListIsNotWrittenNorLoaded)
{
    fonts.addFile(fontFile(QStringLiteral("lato.ttf")), QStringLiteral("Lato"));
    start();
    canvasSays(QStringLiteral("importfonts"), QStringLiteral("Lato"));
    EXPECT_TRUE(QFileInfo::exists(flash(QStringLiteral("Lato.swf"))));
    EXPECT_TRUE(QFileInfo::exists(flash(QStringLiteral("Lato_lib.swf"))));
    EXPECT_FALSE(QFileInfo::exists(datasrc(QStringLiteral("Font_user.xml"))));
    EXPECT_EQ(canvasCommands().count(QStringLiteral("loaduserfonts|True")), 0);
    EXPECT_TRUE(errorLog().contains("frmMain\\skwFlash")) << errorLog().toStdString();
}

TEST_F(FontImportTest, AFailedCompileOrUnknownFaceKeepsThePreviousMoviesAndListAndTellsTheUser)
{
    fonts.addFile(fontFile(QStringLiteral("lato.ttf")), QStringLiteral("Lato"));
    start();
    writeFile(flash(QStringLiteral("Lato.swf")), "old library");
    writeFile(flash(QStringLiteral("Lato_lib.swf")), "old import");
    writeFile(datasrc(QStringLiteral("Font_user.xml")), "old list");

    compiler.statuses = {0, 1}; // the library compiles, the import movie does not
    canvasSays(QStringLiteral("importfonts"), QStringLiteral("Lato") + ae + listText);
    EXPECT_EQ(alerts(), QStringList{QStringLiteral("The font Lato could not be imported: the font compiler stopped with status 1")});

    compiler.statuses = {0, 0};
    compiler.commandLines.clear();
    canvasSays(QStringLiteral("importfonts"), QStringLiteral("Gone") + ae + listText);
    EXPECT_TRUE(compiler.commandLines.isEmpty());
    EXPECT_EQ(alerts().value(1), QStringLiteral("The font Gone could not be imported: no installed TrueType font has that name"));

    EXPECT_EQ(readFile(flash(QStringLiteral("Lato.swf"))), "old library");
    EXPECT_EQ(readFile(flash(QStringLiteral("Lato_lib.swf"))), "old import");
    EXPECT_EQ(readFile(datasrc(QStringLiteral("Font_user.xml"))), "old list");
    EXPECT_EQ(hiddenFiles(), QStringList());
    EXPECT_EQ(canvasCommands().count(QStringLiteral("loaduserfonts|True")), 0);
    EXPECT_EQ(errorLog().count("frmMain\\skwFlash"), 2) << errorLog().toStdString();

    // Both movies compiled, but the second file of the list cannot be written (read-only):
    // the new movies go, the earlier ones and the list come back, and the user
    // reads the same form of message.
    writeFile(datasrc(QStringLiteral("Font_user.txt")), "old text list");
    QFile::setPermissions(datasrc(QStringLiteral("Font_user.xml")), QFileDevice::ReadOwner);
    canvasSays(QStringLiteral("importfonts"), QStringLiteral("Lato") + ae + listText);
    EXPECT_EQ(compiler.commandLines.size(), 2);
    ASSERT_EQ(alerts().size(), 3);
    EXPECT_TRUE(alerts()[2].startsWith(QStringLiteral("The font Lato could not be imported: the font list could not be saved: ")))
        << alerts()[2].toStdString();
    EXPECT_EQ(readFile(flash(QStringLiteral("Lato.swf"))), "old library");
    EXPECT_EQ(readFile(flash(QStringLiteral("Lato_lib.swf"))), "old import");
    EXPECT_EQ(readFile(datasrc(QStringLiteral("Font_user.txt"))), "old text list");
    EXPECT_EQ(readFile(datasrc(QStringLiteral("Font_user.xml"))), "old list");
    EXPECT_EQ(hiddenFiles(), QStringList());
    EXPECT_EQ(canvasCommands().count(QStringLiteral("loaduserfonts|True")), 0);
}

TEST_F(FontImportTest, TheFontListWaitsForASlowScanAndIsSentOnceWhenItEnds)
{
    QSemaphore gate;
    fonts.gate = &gate;
    fonts.addFile(fontFile(QStringLiteral("a.ttf")), QStringLiteral("Alpha"));
    fonts.addFile(fontFile(QStringLiteral("b.ttf")), QStringLiteral("Beta & Co"));
    start(); // the menu bar is built while the scan is held
    ASSERT_NE(host->menuItems.FindItem(QStringLiteral("mnuProject")), 0);
    EXPECT_EQ(canvasCommands().filter(QStringLiteral("fontlist|")).size(), 0);

    gate.release(2);
    ASSERT_TRUE(runUntil([&] { return host->state.fontListSent; }));
    canvas.raise(QStringLiteral("fmloaded"), QString()); // a rebuild does not send it again
    QStringList lists = canvasCommands().filter(QStringLiteral("fontlist|"));
    ASSERT_EQ(lists.size(), 1);
    QStringList names = lists.first().mid(9).split(QLatin1Char(','));
    names.sort();
    EXPECT_EQ(names, (QStringList{QString(), "Alpha", "Beta And Co"}));
}

// Importing a damaged font through the real compiler: the user is told, and
// the movies and list of the earlier import stay.
class DamagedFontImportTest : public FontsFixture {
protected:
    void startWithTheShippedCompiler()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VM_PROGRAM_DIR "/swfmill"), programFolder + QStringLiteral("/swfmill")));
        makeHost();
        userFonts = std::make_unique<UserFonts>(seams().fonts(), fonts, runner, QString());
        startToReady();
        forms.shown.clear();
    }

    LinuxProcessRunner runner;
};

TEST_F(DamagedFontImportTest, AFontWhoseGlyphsCannotBeReadIsNotImportedAndTheEarlierOneStays)
{
    const QByteArray lato = readFile(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf"));
    fonts.addFile(fontFile(QStringLiteral("lato.ttf")), QStringLiteral("Lato"), withDamagedGlyphs(lato, '\xff'));
    startWithTheShippedCompiler();
    writeFile(flash(QStringLiteral("Lato.swf")), "earlier library");
    writeFile(flash(QStringLiteral("Lato_lib.swf")), "earlier import");
    writeFile(datasrc(QStringLiteral("Font_user.xml")), "earlier list");

    canvasSays(QStringLiteral("importfonts"), QStringLiteral("Lato") + QChar(0x00E6) + QStringLiteral("<userfonts/>"));
    ASSERT_EQ(alerts().size(), 1);
    EXPECT_TRUE(alerts().first().startsWith(QStringLiteral("The font Lato could not be imported: "))) << alerts().first().toStdString();
    EXPECT_EQ(readFile(flash(QStringLiteral("Lato.swf"))), "earlier library");
    EXPECT_EQ(readFile(flash(QStringLiteral("Lato_lib.swf"))), "earlier import");
    EXPECT_EQ(readFile(datasrc(QStringLiteral("Font_user.xml"))), "earlier list");
    EXPECT_EQ(QDir(flash(QString())).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden), QStringList());
    EXPECT_EQ(canvasCommands().count(QStringLiteral("loaduserfonts|True")), 0);
}

} // namespace
} // namespace vm::test
