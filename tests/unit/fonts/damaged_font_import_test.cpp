// Importing a damaged font through the real compiler: the user is told, and
// the movies and list of the earlier import stay.
#include "platform/system/linux_process_runner.h"
#include "tests/unit/fonts/damaged_font.h"
#include "tests/unit/fonts/fonts_fixture.h"

namespace vm::test {
namespace {

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
