// The installed-font scan: 3,000 TrueType files in a font folder, their face
// names read by the program's scan (no cache yet, then with the cache of a
// second start) against a bare FreeType loop reading the same family names,
// all measured here in the same run (median of 7 rounds each, interleaved).
//
// The files are hard links to the shipped fonts, so both sides read them from
// the page cache: "cold" means no name cache, not an empty page cache.
#include "bench/bench_support.h"
#include "platform/system/freetype_installed_fonts.h"
#include "fonts/font_scan.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>
#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr int kFiles = 3000;
constexpr int kRounds = 7;

bool fillFontFolder(const QString& folder)
{
    const QStringList shipped = QDir(QStringLiteral(VM_SOURCE_DIR "/data/fonts")).entryList({QStringLiteral("*.ttf")}, QDir::Files);
    if (shipped.isEmpty() || !QDir().mkpath(folder))
        return false;
    for (int index = 0; index < kFiles; ++index) {
        const QString source = QStringLiteral(VM_SOURCE_DIR "/data/fonts/") + shipped[index % shipped.size()];
        const QString target = folder + QStringLiteral("/font%1.ttf").arg(index, 4, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0
            && !QFile::copy(source, target))
            return false;
    }
    return true;
}

// The same listing and the same family names, with nothing around them.
double bareMilliseconds(const QString& folder, int& named)
{
    QElapsedTimer clock;
    clock.start();
    FT_Library library = nullptr;
    FT_Init_FreeType(&library);
    named = 0;
    QDirIterator files(folder, QDir::Files);
    while (files.hasNext()) {
        const QByteArray path = QFile::encodeName(files.next());
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.constData(), 0, &face) != 0)
            continue;
        named += QString::fromUtf8(face->family_name).isEmpty() ? 0 : 1;
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return double(clock.nsecsElapsed()) / 1e6;
}

double scanMilliseconds(const QString& windir, const QString& cacheFile, int& listed, int& opened)
{
    QElapsedTimer clock;
    clock.start();
    vm::FreeTypeInstalledFonts fonts;
    const vm::FontScanResult result = vm::scanInstalledFonts(windir, fonts, cacheFile);
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    listed = int(result.catalogue.fontFiles.size());
    opened = result.fontsOpened;
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString windir = work.path() + QStringLiteral("/windows");
    const QString folder = windir + QStringLiteral("/Fonts");
    if (!work.isValid() || !fillFontFolder(folder)) {
        std::fprintf(stderr, "fontscan_bench: cannot make the font folder\n");
        return 1;
    }
    std::vector<double> bare, cold, cached;
    for (int round = 0; round < kRounds; ++round) {
        int named = 0, listed = 0, opened = 0;
        bare.push_back(bareMilliseconds(folder, named));
        const QString cacheFile = work.path() + QStringLiteral("/cache%1/font-names.cache").arg(round);
        cold.push_back(scanMilliseconds(windir, cacheFile, listed, opened));
        if (listed != kFiles || opened != kFiles || named != kFiles) {
            std::fprintf(stderr, "fontscan_bench: listed %d, opened %d, bare named %d of %d\n", listed, opened, named, kFiles);
            return 1;
        }
        cached.push_back(scanMilliseconds(windir, cacheFile, listed, opened));
        if (opened != 0) {
            std::fprintf(stderr, "fontscan_bench: the second start opened %d fonts\n", opened);
            return 1;
        }
    }
    const double bareMedian = vm::bench::median(bare);
    const double coldMedian = vm::bench::median(cold);
    const double cachedMedian = vm::bench::median(cached);
    std::printf("%d TrueType files, median of %d rounds\n", kFiles, kRounds);
    std::printf("bare FreeType family-name loop: %.1f ms\n", bareMedian);
    std::printf("scan without cache:             %.1f ms (ratio %.2f, goal at most 1.5)\n", coldMedian, coldMedian / bareMedian);
    std::printf("scan of a second start (cache): %.1f ms (ratio %.2f; goal at most 50 ms)\n", cachedMedian,
                cachedMedian / bareMedian);
    return 0;
}
