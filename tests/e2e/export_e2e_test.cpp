#include "tests/e2e/session_runner.h"

#include <QImageReader>
#include <QStandardPaths>

namespace vm::e2e {
namespace {

// The installed program started from a terminal without a display.
class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(out(QString()));
        // A project as the program saves it: a red text on a light stage.
        writeFile(out(QStringLiteral("logo.vmp")), "<VantamorphLogo version=\"1\" width=\"507\" height=\"397\" background=\"#f0f0f0\">"
                      "<Text x=\"40\" y=\"100\" width=\"300\" height=\"90\" color=\"#cc0000\" font=\"DejaVu Sans\" size=\"48\" text=\"Acme\"/>"
                      "</VantamorphLogo>");
    }

    QString out(const QString& name) const { return program.root_path() + QStringLiteral("/out/") + name; }

    using Run = InstalledProgram::Output;
    Run run(const QStringList& arguments) const { return program.runInTerminal(arguments); }
    QMap<QString, QByteArray> snapshot() const { return test::folderSnapshot(out(QString())); }

    InstalledProgram program;
};

// The help names the options; each format is written at its size (the brand
// pack's command is the export safety test's).
TEST_F(ExportCommand, WritesEachFormatAtItsSizeWithoutADisplay)
{
    const Run help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--export", "--brand-pack", "--out", "--width", "--height", "--transparent", "--background"})
        EXPECT_TRUE(help.output.contains(option)) << option;

    const Run png = run({QStringLiteral("--export"), out(QStringLiteral("logo.vmp")), QStringLiteral("--out"),
                         out(QStringLiteral("logo.png")), QStringLiteral("--width"), QStringLiteral("1014"),
                         QStringLiteral("--transparent")});
    ASSERT_EQ(png.exitCode, 0) << png.errors.toStdString();
    EXPECT_TRUE(png.errors.isEmpty()) << png.errors.toStdString();
    const QImage picture(out(QStringLiteral("logo.png")));
    EXPECT_EQ(picture.size(), QSize(1014, 794));
    EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 0);

    const Run jpg = run({QStringLiteral("--export=") + out(QStringLiteral("logo.vmp")), QStringLiteral("--out=") + out(QStringLiteral("logo.jpg")),
                         QStringLiteral("--height=100"), QStringLiteral("--background"), QStringLiteral("#0000ff")});
    ASSERT_EQ(jpg.exitCode, 0) << jpg.errors.toStdString();
    QImageReader reader(out(QStringLiteral("logo.jpg")));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(128, 100));
    EXPECT_GT(reader.read().pixelColor(1, 1).blue(), 230);

    for (const char* name : {"logo.svg", "logo.pdf", "logo.gif", "logo.tiff"})
        EXPECT_EQ(run({QStringLiteral("--export"), out(QStringLiteral("logo.vmp")), QStringLiteral("--out"), out(QLatin1String(name))}).exitCode, 0)
            << name;
    const QByteArray svgText = readFile(out(QStringLiteral("logo.svg")));
    EXPECT_TRUE(svgText.contains("<text")) << "the text stays text";
    EXPECT_TRUE(svgText.contains("#cc0000"));
    EXPECT_EQ(QImageReader(out(QStringLiteral("logo.gif"))).format(), "gif");
    EXPECT_EQ(QImageReader(out(QStringLiteral("logo.tiff"))).size(), QSize(507, 397));

    if (!QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        EXPECT_EQ(run({QStringLiteral("--export"), out(QStringLiteral("logo.vmp")), QStringLiteral("--out"), out(QStringLiteral("logo.eps"))}).exitCode, 0);
        EXPECT_TRUE(readFile(out(QStringLiteral("logo.eps"))).startsWith("%!PS-Adobe-3.0 EPSF-3.0"));
    }
}

// Refusals of the options, of the project and past the limit reach the user as
// one line each (every case of each is the command line's and the export run's
// unit tests').
TEST_F(ExportCommand, BadInputSaysWhatInOneLineAndWritesNothing)
{
    const QString damaged = out(QStringLiteral("damaged.vmp"));
    writeFile(damaged, "<VantamorphLogo version=\"1\"><te");
    const QString logo = out(QStringLiteral("logo.vmp"));
    const QString png = out(QStringLiteral("new.png"));
    const QStringList exportLogo{QStringLiteral("--export"), logo, QStringLiteral("--out")};
    const QList<std::tuple<const char*, QStringList, const char*>> cases = {
        {"damaged project", {QStringLiteral("--export"), damaged, QStringLiteral("--out"), png}, "damaged"},
        {"width 0", exportLogo + QStringList{png, QStringLiteral("--width"), QStringLiteral("0")}, "--width"},
        {"scaled past the limit", exportLogo + QStringList{png, QStringLiteral("--height"), QStringLiteral("19000")}, "20000"},
        {"no --out", {QStringLiteral("--export"), logo}, "--out"},
    };
    for (const auto& [what, arguments, named] : cases) {
        const auto before = snapshot();
        const Run result = run(arguments);
        EXPECT_NE(result.exitCode, 0) << what;
        EXPECT_NE(result.exitCode, -1) << what << ": no crash";
        EXPECT_TRUE(result.output.isEmpty()) << what;
        EXPECT_EQ(result.errors.count('\n'), 1) << what << ": " << result.errors.toStdString();
        EXPECT_TRUE(result.errors.startsWith("vantamorph: ")) << what;
        EXPECT_TRUE(result.errors.contains(named)) << what << ": " << result.errors.toStdString();
        EXPECT_EQ(snapshot(), before) << what;
    }
}

// The menu route: the real canvas, a folder named in the save dialog, the progress window.
TEST_F(ExportCommand, BrandPackFromTheMenu)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
        GTEST_SKIP() << "Ghostscript is not installed";
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    const QByteArray script = "wait ready\nmenu \"mnuAddText\"\nwait 200\nanswer savefile \"" + out(QStringLiteral("menu-pack")).toUtf8()
                              + "\"\nmenu \"mnuBrandPack\"\nwait idle\nmenu \"mnuExit\"\n";
    const auto result = program.run(script, QString(), 60000);
    const QString transcript = result.transcript.join(QLatin1Char('\n'));
    EXPECT_TRUE(transcript.contains(QStringLiteral("window frmBrandPack shown"))) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains(QStringLiteral("msgbox \"Your brand pack has been published in"))) << transcript.toStdString();
    EXPECT_EQ(QDir(out(QStringLiteral("menu-pack"))).entryList(QDir::Files).size(), 16);
    EXPECT_EQ(QImageReader(out(QStringLiteral("menu-pack/social-banner.png"))).size(), QSize(1200, 630));
}

} // namespace
} // namespace vm::e2e
