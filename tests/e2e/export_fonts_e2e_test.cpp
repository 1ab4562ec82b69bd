// The command line draws a logo in the fonts the canvas draws it in: every
// shipped template, and a logo in a face the user imported.
#include "tests/e2e/session_runner.h"

#include <QImage>

namespace vm::e2e {
namespace {

// The share of pixels whose colour differs by more than a rounding step in any channel.
double differingShare(const QImage& first, const QImage& second)
{
    const QImage a = first.convertToFormat(QImage::Format_ARGB32);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32);
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24 || std::abs(qBlue(p) - qBlue(q)) > 24;
        }
    return double(differing) / (qint64(a.width()) * a.height());
}

// An imported face under a name no installed or shipped font has, so only its
// movie can draw it: compiled by the program's own compiler from a shipped file,
// and listed as the canvas lists the faces it imported.
void importFace(const InstalledProgram& program, const QString& face, const QString& fontFile)
{
    const QString description = program.root_path() + QStringLiteral("/face.xml");
    writeFile(description, "<?xml version='1.0' encoding='utf-8'?><movie width='200' height='70' framerate='30'><frame><library>"
                           "<font name='" + face.toUtf8() + "' id='" + face.toUtf8() + "' glyphs='" + QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz")
                               + "' import='" + fontFile.toUtf8() + "'/></library></frame></movie>");
    QProcess compiler;
    compiler.start(program.file(QStringLiteral("swfmill")),
                   {QStringLiteral("simple"), description, program.installRoot() + QStringLiteral("flash/") + face + QStringLiteral(".swf")});
    ASSERT_TRUE(compiler.waitForFinished(30000));
    ASSERT_EQ(compiler.exitCode(), 0) << compiler.readAllStandardError().toStdString();
    writeFile(program.installRoot() + QStringLiteral("datasrc/Font_user.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><userfonts><font name=\"" + face.toUtf8() + "\"/></userfonts>");
}

// Each logo published at 100% by the real canvas and exported by the command
// line: the same pixels but for antialiasing. A font drawn in the fallback
// changes every letter, far more than the tolerance.
TEST(ExportFonts, TheCommandLineDrawsEveryTemplateAndAnImportedFaceAsTheCanvasDoes)
{
    InstalledProgram program;
    useRealCanvasAndOwnPrinter(program);
    importFace(program, QStringLiteral("House Face"), program.installRoot() + QStringLiteral("fonts/Comfortaa-Regular.ttf"));
    const QString folder = program.root_path() + QStringLiteral("/logos/");
    QDir().mkpath(folder);
    writeFile(folder + QStringLiteral("imported.vmp"),
              "<VantamorphLogo version=\"2\" width=\"507\" height=\"397\" background=\"#ffffff\">"
              "<Text x=\"20\" y=\"140\" width=\"467\" height=\"110\" rotation=\"0\" text=\"Harbour Lights\" font=\"House Face\" "
              "size=\"64\" bold=\"false\" italic=\"false\" color=\"#1a2b6d\"/></VantamorphLogo>");
    QDirIterator templates(program.installRoot() + QStringLiteral("templates"), {QStringLiteral("*.xml")}, QDir::Files,
                           QDirIterator::Subdirectories);
    while (templates.hasNext()) {
        const QFileInfo design(templates.next());
        QFile::copy(design.filePath(), folder + design.dir().dirName() + QLatin1Char('-') + design.completeBaseName() + QStringLiteral(".vmp"));
    }
    const QStringList logos = QDir(folder).entryList({QStringLiteral("*.vmp")}, QDir::Files, QDir::Name);
    ASSERT_GT(logos.size(), 30);

    QByteArray script = "wait ready\n";
    for (const QString& logo : logos)
        script += "answer openfile " + quoted(folder + logo) + "\nkey \"Ctrl+O\"\nanswer savefile "
                  + quoted(folder + logo + QStringLiteral(".canvas.png")) + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n";
    const auto session = program.run(script, QString(), 300000);
    ASSERT_EQ(session.exitCode, 0) << session.shown();
    EXPECT_EQ(session.shown().find("is drawn in"), std::string::npos) << session.shown(); // the movie drew the face

    for (const QString& logo : logos) {
        const QString exported = folder + logo + QStringLiteral(".export.png");
        const auto run = program.runInTerminal({QStringLiteral("--export"), folder + logo, QStringLiteral("--out"), exported});
        ASSERT_EQ(run.exitCode, 0) << logo.toStdString() << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.isEmpty()) << logo.toStdString() << ": " << run.errors.toStdString();
        const QImage canvas(folder + logo + QStringLiteral(".canvas.png")), command(exported);
        ASSERT_EQ(canvas.size(), command.size()) << logo.toStdString();
        EXPECT_LT(differingShare(canvas, command), 0.002) << logo.toStdString();
    }
}

} // namespace
} // namespace vm::e2e
