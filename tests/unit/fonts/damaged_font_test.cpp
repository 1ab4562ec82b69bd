// The font compiler with fonts whose glyphs cannot be read: it fails aloud and
// leaves the target as it was, while a font lacking some characters compiles.
#include "tests/support/test_files.h"
#include "tests/unit/fonts/damaged_font.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

struct CompilerRun {
    int exitCode = -1;
    QByteArray errors;
};

CompilerRun compile(const QString& folder, const QByteArray& fontFile, const QByteArray& glyphs)
{
    writeFile(folder + QStringLiteral("/in.xml"),
              "<?xml version='1.0' encoding='utf-8'?><movie width='200' height='70' framerate='30'><frame><library>"
              "<font name='F' id='F' glyphs='" + glyphs + "' import='" + fontFile + "'/></library></frame></movie>");
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VM_PROGRAM_DIR "/swfmill"), {QStringLiteral("simple"), QStringLiteral("in.xml"), QStringLiteral("out.swf")});
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError()};
}

TEST(DamagedFontTest, UnreadableGlyphsFailAndLeaveTheTargetWhileMissingCharactersAreLeftOut)
{
    QTemporaryDir folder;
    const QByteArray lato = readFile(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf"));
    writeFile(folder.filePath(QStringLiteral("past-the-end.ttf")), withDamagedGlyphs(lato, '\xff'));
    writeFile(folder.filePath(QStringLiteral("empty.ttf")), withDamagedGlyphs(lato, '\0'));
    writeFile(folder.filePath(QStringLiteral("lato.ttf")), lato);
    writeFile(folder.filePath(QStringLiteral("out.swf")), "earlier movie");
    for (const QByteArray font : {"past-the-end.ttf", "empty.ttf"}) {
        const CompilerRun run = compile(folder.path(), font, "&#32;ABCabc");
        EXPECT_EQ(run.exitCode, 1) << font.constData();
        EXPECT_TRUE(run.errors.contains(font)) << run.errors.constData();
        EXPECT_EQ(readFile(folder.filePath(QStringLiteral("out.swf"))), "earlier movie");
    }
    // None of the characters asked for is a failure too; some of them is a movie.
    EXPECT_EQ(compile(folder.path(), "lato.ttf", "&#19968;&#19969;").exitCode, 1);
    EXPECT_EQ(compile(folder.path(), "lato.ttf", "A&#19968;").exitCode, 0);
    EXPECT_TRUE(readFile(folder.filePath(QStringLiteral("out.swf"))).startsWith("FWS"));
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.part*")}, QDir::Files), QStringList());
}

} // namespace
} // namespace vm::test
