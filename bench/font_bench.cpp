// One imported font compiled: swfmill building the library movie and the
// import movie of a typical Latin font from the program's own descriptions,
// against a bare FreeType loop loading and walking the same glyph outlines,
// both measured here in the same run (median of 20 rounds each).
#include "bench/bench_support.h"
#include "fonts/movies/font_movie_descriptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace {

constexpr int kRounds = 20;

bool writeText(const QString& path, const QString& text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

double compileMilliseconds(const QString& compiler, const QString& folder, const QString& description, const QString& movie)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    process.start(compiler, {QStringLiteral("simple"), description, movie});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "swfmill failed: %s\n", process.readAllStandardError().constData());
        return -1;
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

// Opens the font and walks every outline of the glyph list, as the compiler must at least do.
double bareFreeTypeMilliseconds(const QByteArray& fontPath)
{
    QElapsedTimer clock;
    clock.start();
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    if (FT_New_Face(library, fontPath.constData(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        return -1;
    }
    static const FT_Outline_Funcs walk = {
        [](const FT_Vector*, void*) { return 0; }, [](const FT_Vector*, void*) { return 0; },
        [](const FT_Vector*, const FT_Vector*, void*) { return 0; },
        [](const FT_Vector*, const FT_Vector*, const FT_Vector*, void*) { return 0; }, 0, 0};
    const QString glyphs = vm::userFontGlyphs();
    for (const QString& reference : glyphs.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (FT_Load_Char(face, reference.mid(2).toUInt(), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0)
            FT_Outline_Decompose(&face->glyph->outline, &walk, nullptr);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: font_bench PATH/TO/swfmill FONT.ttf\n");
        return 2;
    }
    // Absolute: the compiler runs in the work folder, as the program runs it.
    const QString compiler = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString font = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QTemporaryDir folder;
    const QString face = QStringLiteral("Bench Face");
    const QString library = folder.filePath(QStringLiteral("test.xml"));
    const QString import = folder.filePath(QStringLiteral("test_lib.xml"));
    if (!folder.isValid() || !writeText(library, vm::fontLibraryDescription(face, font)) ||
        !writeText(import, vm::fontImportDescription(face))) {
        std::fprintf(stderr, "font_bench: cannot write the descriptions\n");
        return 1;
    }

    std::vector<double> libraryTimes, bothTimes, bareTimes;
    for (int round = 0; round < kRounds; ++round) {
        const double libraryMs = compileMilliseconds(compiler, folder.path(), library, folder.filePath(face + QStringLiteral(".swf")));
        const double importMs = compileMilliseconds(compiler, folder.path(), import, folder.filePath(face + QStringLiteral("_lib.swf")));
        const double bareMs = bareFreeTypeMilliseconds(font.toLocal8Bit());
        if (libraryMs < 0 || importMs < 0 || bareMs < 0)
            return 1;
        libraryTimes.push_back(libraryMs);
        bothTimes.push_back(libraryMs + importMs);
        bareTimes.push_back(bareMs);
    }
    const double libraryMs = vm::bench::median(libraryTimes);
    const double bothMs = vm::bench::median(bothTimes);
    const double bareMs = vm::bench::median(bareTimes);
    std::printf("library movie (swfmill simple): %.1f ms\n", libraryMs);
    std::printf("both movies:                    %.1f ms (budget 200 ms: %.2fx)\n", bothMs, bothMs / 200.0);
    std::printf("bare FreeType outline walk:     %.2f ms (both movies %.1fx of it)\n", bareMs, bothMs / bareMs);
    return 0;
}
