#include "shell/language.h"
#include "shell/log/error_trap.h"
#include "tests/fakes/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { QDir(folder.path()).mkpath(QStringLiteral("Xml")); }

    void writeLanguage(const QByteArray& items)
    {
        QFile file(folder.path() + QStringLiteral("/Xml/english.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\" encoding=\"utf-8\"?><Root><LANGUAGEOPTIONS>" + items + "</LANGUAGEOPTIONS></Root>");
    }

    QTemporaryDir folder;
    test::RecordingTrace trace;
    test::FakeSystemDialogs dialogs;
    ErrorLog log{folder.path(), trace};
    ErrorTrap trap{log};
    Language language{folder.path(), trap, dialogs};
};

TEST_F(LanguageTest, LooksUpTextsByExactKeyFirstMatchWinning)
{
    writeLanguage(R"(<CONVERTERITEM NAME="cmdYes" VALUE="Yes"/><CONVERTERITEM NAME="cmdYes" VALUE="Second"/>)"
                  R"(<CONVERTERITEM NAME="caf&#233;" VALUE="Caf&#233; &amp; bar"/><CONVERTERITEM NAME="mnuSave" VALUE="&amp;Save"/>)");
    language.LoadLanguage(0);
    language.LoadMenuCaptions(); // cached: a key the file lacks is empty
    EXPECT_EQ(language.GetMenuCaption(QStringLiteral("mnuSave")), QStringLiteral("&Save"));
    EXPECT_EQ(language.GetMenuCaption(QStringLiteral("mnuCut")), QStringLiteral(""));
    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("cmdYes")), QStringLiteral("Yes"));
    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("cmdyes")), QStringLiteral(""));
    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("café")), QStringLiteral("Café & bar"));
    EXPECT_TRUE(dialogs.messageBoxes.isEmpty());
    EXPECT_TRUE(trace.lines.isEmpty());
}

TEST_F(LanguageTest, BrokenLookupsAreLoggedAndGiveEmptyText)
{
    writeLanguage(R"(<CONVERTERITEM NAME="noValue"/><CONVERTERITEM NAME="ok" VALUE="fine"/>)");
    language.LoadLanguage(0);
    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("it's")), QStringLiteral(""));
    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("noValue")), QStringLiteral(""));
    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("ok")), QStringLiteral("fine"));
    EXPECT_EQ(trace.lines, QStringList(2, QStringLiteral("log \"frmMain\\\\GetControlCaptions\"")));
}

TEST_F(LanguageTest, MissingFileIsReportedAndEveryLookupLogged)
{
    language.LoadLanguage(0);
    ASSERT_EQ(dialogs.messageBoxes.size(), 1);
    const QString path = folder.path() + QStringLiteral("/Xml/english.xml");
    EXPECT_EQ(dialogs.messageBoxes[0].text, QStringLiteral("Failed to load <") + path
                                                + QStringLiteral(">.\r\n\r\nPlease make sure that the file exist in application folder."));
    EXPECT_EQ(dialogs.messageBoxes[0].title, QStringLiteral("Vantamorph"));
    EXPECT_EQ(dialogs.messageBoxes[0].icon, message_box::Icon::Information);

    EXPECT_EQ(language.GetControlCaptions(QStringLiteral("cmdYes")), QStringLiteral(""));
    EXPECT_EQ(trace.lines.size(), 1);
    EXPECT_THROW(language.LoadMenuCaptions(), RunTimeError);
    EXPECT_EQ(language.GetMenuCaption(QStringLiteral("mnuSave")), QStringLiteral(""));

    // Malformed XML counts as missing.
    writeLanguage("<CONVERTERITEM NAME=\"x\" VALUE=\"broken");
    language.LoadLanguage(0);
    EXPECT_EQ(dialogs.messageBoxes.size(), 2);
}

TEST_F(LanguageTest, TheShippedFileHoldsEveryKeyTheProgramLooksUp)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/Xml/english.xml"), folder.path() + QStringLiteral("/Xml/english.xml")));
    language.LoadLanguage(0);
    language.LoadMenuCaptions();

    QStringList keys = Language::menuCaptionKeys();
    keys << QStringLiteral("cmdOk") << QStringLiteral("cmdYes") << QStringLiteral("cmdNo") << QStringLiteral("cmdCancel")
         << QStringLiteral("cmdPublish") << QStringLiteral("lblSavingMessage") << QStringLiteral("lblSaveFileFormat")
         << QStringLiteral("lblSelectFormat") << QStringLiteral("lblSelectSize") << QStringLiteral("lblFullSize")
         << QStringLiteral("lblThumbnail") << QStringLiteral("lblQuarter") << QStringLiteral("lblTransparentPNG")
         << QStringLiteral("lblTransparentGIF") << QStringLiteral("lblTransparentlogo") << QStringLiteral("msgYNSaveLogoPrj")
         << QStringLiteral("msgYNCSaveChanges") << QStringLiteral("msgYNFileOverwrite") << QStringLiteral("lblSaveMsg")
         << QStringLiteral("alertNotFount") << QStringLiteral("msgYNNoPrinter") << QStringLiteral("alertLogoPub");
    for (const QString& key : keys)
        EXPECT_FALSE(language.GetControlCaptions(key).isEmpty()) << key.toStdString();
    EXPECT_EQ(language.GetMenuCaption(QStringLiteral("mnuQuick")), QStringLiteral("&Show Quick Help"));
    EXPECT_TRUE(trace.lines.isEmpty());
}

} // namespace
} // namespace vm
