#include "tests/e2e/session_runner.h"

#include <QImage>
#include <QImageReader>

namespace vm::e2e {
namespace {

// The real canvas, a spooler of the test's own with the print-to-file printer
// installed, and a folder for the pictures.
class PublishSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        useRealCanvasAndOwnPrinter(program);
        QDir().mkpath(outFolder());
    }
    QString outFolder() const { return program.root_path() + QStringLiteral("/out"); }
    QString out(const QString& name) const { return outFolder() + QLatin1Char('/') + name; }

    // One quick publish per menu item, each answered with its file name.
    QByteArray quickPublish(const QList<QPair<const char*, const char*>>& items) const
    {
        QByteArray script = "wait ready\n";
        for (const auto& [key, file] : items)
            script += "answer savefile \"" + out(QLatin1String(file)).toUtf8() + "\"\nanswer alert \"ok\"\nmenu \"" + key
                      + "\"\nwait idle\n";
        return script;
    }

    static QByteArray head(const QString& path, int bytes)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
    }

    InstalledProgram program;
};

TEST_F(PublishSession, EveryMenuItemWritesItsFormatAndSize)
{
    const QList<QPair<const char*, const char*>> items = {
        {"mnuPublishPNG100%", "p100"},     {"mnuPublishPNG25%", "p25"},     {"mnuPublishPNGThumbnail", "pthumb"},
        {"mnuPublishJPG100%", "j100"},     {"mnuPublishJPG25%", "j25"},     {"mnuPublishJPGThumbnail", "jthumb"},
        {"mnuPublishGIF100%", "g100"},     {"mnuPublishGIF25%", "g25"},     {"mnuPublishGIFThumbnail", "gthumb"},
        {"mnuPublishTIFF100%", "t100"},    {"mnuPublishTIFF25%", "t25"},    {"mnuPublishTIFFThumbnail", "tthumb"},
        {"mnuPublishtransparentPNG", "tp"}, {"mnuPublishtransparentGIF", "tg"},
        {"mnuPublishEPS", "eps"},          {"mnuPublishVEPS", "veps"},
    };
    const auto result = program.run(quickPublish(items), QString(), 120000);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_EQ(result.transcript.count(QStringLiteral("dialog frmAlert \"Your logo has been published.\" owner=frmMain -> ok")), 16)
        << result.shown();

    const QSize full(507, 397), quarter(127, 99), thumbnail(100, 78);
    const QList<std::tuple<const char*, QByteArray, QSize>> pictures = {
        {"p100.png", "png", full},  {"p25.png", "png", quarter},  {"pthumb.png", "png", thumbnail},
        {"j100.jpg", "jpeg", full}, {"j25.jpg", "jpeg", quarter}, {"jthumb.jpg", "jpeg", thumbnail},
        {"g100.gif", "gif", full},  {"g25.gif", "gif", quarter},  {"gthumb.gif", "gif", thumbnail},
        {"t100.tiff", "tiff", full}, {"t25.tiff", "tiff", quarter}, {"tthumb.tiff", "tiff", thumbnail},
        {"tp.png", "png", full},    {"tg.gif", "gif", full},
    };
    for (const auto& [name, format, size] : pictures) {
        QImageReader reader(out(QLatin1String(name)));
        EXPECT_EQ(reader.format(), format) << name;
        EXPECT_EQ(reader.size(), size) << name;
    }
    // The transparent ones are see-through where the stage is empty.
    EXPECT_EQ(QImage(out(QStringLiteral("tp.png"))).pixelColor(2, 2).alpha(), 0);
    EXPECT_EQ(QImage(out(QStringLiteral("tg.gif"))).pixelColor(2, 2).alpha(), 0);
    EXPECT_TRUE(QImage(out(QStringLiteral("tp.png"))).hasAlphaChannel());
    for (const char* eps : {"eps.eps", "veps.eps"})
        EXPECT_TRUE(head(out(QLatin1String(eps)), 23).startsWith("%!PS-Adobe-3.0 EPSF-3.0")) << eps;
}

TEST_F(PublishSession, TheDialogReplacesTheExtensionAndAsksBeforeOverwriting)
{
    QFile existing(out(QStringLiteral("logo.tiff")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    const QByteArray script = "wait ready\ncanvas \"show publish\" \"\"\nclick \"frmSaveLogo\" \"optExtension4\"\n"
                              "click \"frmSaveLogo\" \"lblQuarter\"\nanswer savefile \"" + out(QStringLiteral("logo.jpg")).toUtf8()
                              + "\"\nanswer yesno \"yes\"\nanswer alert \"ok\"\nclick \"frmSaveLogo\" \"imgSave\"\nwait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_FALSE(matching(result.transcript, QStringLiteral("dialog frmMessageBoxYN")).isEmpty());
    QImageReader reader(out(QStringLiteral("logo.tiff")));
    EXPECT_EQ(reader.format(), QByteArray("tiff"));
    EXPECT_EQ(reader.size(), QSize(127, 99));
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("logo.jpg"))));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("window frmSaveLogo unloaded")));
}

TEST_F(PublishSession, PrintingFromTheMenuGoesToTheDefaultPrinter)
{
    const QByteArray script = "wait ready\nmenu \"mnuPrintLogo\"\nwait 3000\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("toFlash \"printmovie\" \"True\" -> true")));
    EXPECT_FALSE(matching(result.transcript, QStringLiteral("window #32770 \"Print\" shown")).isEmpty())
        << result.shown();
}

// As a user meets it: no printer store of the test's own, the print-to-file
// printer not installed yet, the user's own configuration folder.
TEST(FirstPublish, InstallsThePrinterWhereTheProgramLooksAndPublishes)
{
    InstalledProgram program;
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    const QString home = program.root_path() + QStringLiteral("/home");
    QDir().mkpath(home + QStringLiteral("/.config"));
    program.environment.remove(QStringLiteral("VANTAMORPH_SPOOLER_DIR"));
    program.environment.insert(QStringLiteral("HOME"), home);
    program.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    const QString target = program.root_path() + QStringLiteral("/logo.png");
    const QByteArray script = "wait ready\ncanvas \"show publish\" \"\"\nclick \"frmSaveLogo\" \"optExtension0\"\n"
                              "answer yesno \"yes\"\nanswer savefile \"" + target.toUtf8()
                              + "\"\nanswer alert \"ok\"\nclick \"frmSaveLogo\" \"imgSave\"\nwait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QString transcript = result.transcript.join(QLatin1Char('\n'));
    EXPECT_TRUE(transcript.contains(QStringLiteral("dialog frmMessageBoxYN \"The Vantamorph printer is not installed."))) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("dialog frmAlert \"Your logo has been published.\""))) << transcript.toStdString();
    EXPECT_EQ(QImageReader(target).format(), QByteArray("png"));
    QFile store(home + QStringLiteral("/.config/Vantamorph/spooler.json"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_TRUE(store.readAll().contains("\"Vantamorph\""));
}

} // namespace
} // namespace vm::e2e
