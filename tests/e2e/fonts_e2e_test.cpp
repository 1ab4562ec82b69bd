#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

const QByteArray ae = QString(QChar(0x00E6)).toUtf8();

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An installed font is listed for the canvas, imported into its two movies by
// the shipped compiler, and the canvas's list stored; a second start reads the
// names from the cache and lists the same.
TEST(FontsSession, AnInstalledFontIsListedImportedAndLoaded)
{
    InstalledProgram program;
    ASSERT_TRUE(QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf"),
                            program.fontsFolder() + QStringLiteral("/Lato-Regular.TTF")));
    const QByteArray list = "<?xml version=\\\"1.0\\\" encoding=\\\"UTF-8\\\"?><userfonts><font name=\\\"Lato\\\"/></userfonts>";
    const QByteArray script = "wait ready\n"
                              "canvas \"importfonts\" \"Lato" + ae + list + "\"\n"
                              "wait idle\n";
    const auto result = program.run(script);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QStringList& lines = result.transcript;
    EXPECT_EQ(lines.count(QStringLiteral("toFlash \"fontlist\" \"Lato,\" -> true")), 1) << lines.join('\n').toStdString();

    const QString flash = program.installRoot() + QStringLiteral("flash/");
    const QStringList runs = matching(lines, QStringLiteral("run "));
    ASSERT_EQ(runs.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(runs[0].endsWith(QStringLiteral(" -> 0")) && runs[1].endsWith(QStringLiteral(" -> 0"))) << runs[1].toStdString();
    EXPECT_EQ(readAll(flash + QStringLiteral("Lato.swf")).left(3), "FWS");
    const QByteArray importMovie = readAll(flash + QStringLiteral("Lato_lib.swf"));
    EXPECT_TRUE(importMovie.startsWith("FWS") && importMovie.contains("Lato.swf"));
    EXPECT_EQ(readAll(program.installRoot() + QStringLiteral("datasrc/Font_user.xml")),
              QByteArray(list).replace("\\\"", "\""));
    const qsizetype stored = lines.indexOf(QStringLiteral("toFlash \"loaduserfonts\" \"True\" -> true"));
    EXPECT_GT(stored, lines.indexOf(runs[1]));
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();

    // The cached name serves the second start.
    EXPECT_TRUE(QFileInfo::exists(program.root_path() + QStringLiteral("/cache/Vantamorph/font-names.cache")));
    const auto second = program.run("wait ready\n");
    EXPECT_EQ(second.transcript.count(QStringLiteral("toFlash \"fontlist\" \"Lato,\" -> true")), 1);
}

} // namespace
} // namespace vm::e2e
