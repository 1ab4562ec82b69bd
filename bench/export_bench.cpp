// The brand pack of a 50-element logo against bare renders of its biggest
// picture, and the command line's PNG export (start-up included) against
// ImageMagick's convert doing the same resize, in the same run.
//   export_bench DIST   (DIST: the program tree, build/dist)
#include "bench/bench_support.h"
#include "canvas/logo/logo_xml.h"
#include "export/brand_pack.h"
#include "export/logo_export.h"
#include "export/logo_pictures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

using namespace vm;

LogoDocument fiftyElements()
{
    const QStringList symbols = {QStringLiteral("ClipArts/Abstract/swirl.svg"), QStringLiteral("ClipArts/Abstract/burst.svg"),
                                 QStringLiteral("ClipArts/Abstract/diamond.svg"), QStringLiteral("ClipArts/Abstract/bubbles.svg")};
    LogoDocument logo;
    logo.background = QColor(QStringLiteral("#fafafa"));
    for (int index = 0; index < 50; ++index) {
        LogoElement element;
        element.position = QPointF(index % 10 * 48 + 5, index / 10 * 75 + 10);
        element.size = QSizeF(60, 50);
        element.rotation = index % 12 * 30;
        element.color = QColor::fromHsv(index * 7 % 360, 200, 200);
        if (index % 2) {
            element.kind = ElementKind::Text;
            element.text = QStringLiteral("Brand %1").arg(index);
            element.fontFamily = QStringLiteral("DejaVu Sans");
            element.fontSize = 14 + index % 20;
        } else {
            element.kind = ElementKind::Symbol;
            element.symbol = symbols[index / 2 % symbols.size()];
        }
        logo.elements.push_back(element);
    }
    return logo;
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double medianOf(int rounds, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round)
        times.push_back(millisecondsOf(work));
    return bench::median(times);
}

bool runProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    vm::bench::drawOffscreenUnlessToldOtherwise();
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: export_bench DIST\n");
        return 2;
    }
    const QString dist = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString program = dist + QStringLiteral("/Vantamorph/vantamorph");
    const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    QTemporaryDir work;
    const LogoDocument logo = fiftyElements();
    const LogoRenderer renderer(logo_export::resourcesFor(dist + QStringLiteral("/Vantamorph")));

    // The pack's biggest picture is logo-1024.png.
    const QSize biggest = export_format::scaledSize(logo.stageSize, 1024, 0);
    const double render = medianOf(9, [&] { logo_pictures::render(logo, renderer, biggest, QColor()); });
    // The same file made bare: drawn and packed as PNG.
    const double biggestFile = medianOf(9, [&] {
        logo_pictures::encode(logo_pictures::render(logo, renderer, biggest, logo.background), ExportFormat::Png, nullptr);
    });
    int packs = 0;
    const double pack = medianOf(5, [&] {
        BrandPack brand(logo, renderer, work.path() + QStringLiteral("/pack%1").arg(++packs));
        QDir().mkpath(work.path() + QStringLiteral("/pack%1").arg(packs));
        if (!brand.run())
            std::fprintf(stderr, "brand pack failed: %s\n", qPrintable(brand.error().reason));
    });
    {
        // Where the pack's time goes, file by file.
        const QString folder = work.path() + QStringLiteral("/steps");
        QDir().mkpath(folder);
        BrandPack brand(logo, renderer, folder);
        while (!brand.finished()) {
            const QString name = brand.nextFile();
            std::printf("  %-22s %7.1f ms\n", qPrintable(name), millisecondsOf([&] { brand.runNextStep(); }));
        }
    }
    std::printf("brand pack of 50 elements: %.1f ms; bare render of %dx%d: %.1f ms; ratio %.2f (goal <= 3)\n", pack,
                biggest.width(), biggest.height(), render, pack / render);
    std::printf("brand pack against that file drawn and encoded bare (%.1f ms): ratio %.2f\n", biggestFile, pack / biggestFile);

    // The command line: one PNG at twice the width, against convert resizing the full-size PNG.
    const QString project = work.path() + QStringLiteral("/logo.vmp");
    QSaveFile file(project);
    file.open(QIODevice::WriteOnly);
    file.write(logo_xml::write(logo));
    file.commit();
    const QString full = work.path() + QStringLiteral("/full.png");
    if (!runProcess(program, {QStringLiteral("--export"), project, QStringLiteral("--out"), full}) || convert.isEmpty()) {
        std::fprintf(stderr, "cannot run %s or find convert\n", qPrintable(program));
        return 1;
    }
    const QString width = QString::number(logo.stageSize.width() * 2);
    const double exported = medianOf(11, [&] {
        runProcess(program, {QStringLiteral("--export"), project, QStringLiteral("--out"), work.path() + QStringLiteral("/cli.png"),
                             QStringLiteral("--width"), width});
    });
    const double converted = medianOf(11, [&] {
        runProcess(convert, {full, QStringLiteral("-resize"), width + QLatin1Char('x'), work.path() + QStringLiteral("/convert.png")});
    });
    std::printf("command-line PNG export: %.1f ms; convert -resize: %.1f ms; ratio %.2f (goal <= 1.5)\n", exported, converted,
                exported / converted);
    return 0;
}
