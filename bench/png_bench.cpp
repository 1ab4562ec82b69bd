// How small and how quick the PNGs the program hands over are, in one run:
// - bytes of a shipped template's PNG at 507 and 1024 px, and of every PNG of
//   its brand pack (the favicon's entries too), against `convert IN -strip OUT`
//   packing the same pixels (goal: at most 1.15 x);
// - the brand pack's time against drawing and packing its files bare: each
//   picture rendered at its size and packed, one after another on this thread
//   (goal: at most 3 x);
// - the full publish against its bare converter lines, from publish_bench
//   beside this program (goal: at most 1.3 x).
//
//   png_bench DIST   (DIST: the program tree, build/dist)
#include "bench/bench_support.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/png_file.h"
#include "canvas/logo/shipped_fonts.h"
#include "export/brand_pack.h"
#include "export/ico_file.h"
#include "export/logo_export.h"
#include "export/logo_pictures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <functional>

namespace {

using namespace vm;

const QString templateFile = QStringLiteral("/data/templates/business/executive-navy.xml");

double medianMilliseconds(int rounds, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return bench::median(times);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes ImageMagick packs the same PNG into.
qint64 convertedSize(const QString& convert, const QByteArray& png, const QString& work)
{
    const QString in = work + QStringLiteral("/in.png"), out = work + QStringLiteral("/out.png");
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size())
        return -1;
    file.close();
    QFile::remove(out);
    QProcess process;
    process.start(convert, {in, QStringLiteral("-strip"), out});
    process.waitForFinished(60000);
    return QFileInfo(out).size();
}

// The PNG entries of an icon file.
QList<QByteArray> iconEntries(const QByteArray& ico)
{
    QList<QByteArray> entries;
    const int count = ico_file::entrySizes(ico).size();
    for (int index = 0; index < count; ++index) {
        const char* entry = ico.constData() + 6 + 16 * index;
        entries.append(ico.mid(qFromLittleEndian<quint32>(entry + 12), qFromLittleEndian<quint32>(entry + 8)));
    }
    return entries;
}

void compare(const QString& what, qint64 ours, qint64 theirs)
{
    std::printf("%-34s %9lld bytes; convert -strip %9lld; ratio %.2f (goal <= 1.15)\n", qPrintable(what), ours, theirs,
                theirs > 0 ? double(ours) / double(theirs) : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    bench::drawOffscreenUnlessToldOtherwise();
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: png_bench DIST\n");
        return 2;
    }
    const QString dist = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    registerShippedFonts(dist + QStringLiteral("/fonts"));
    const LogoRenderer renderer(logo_export::resourcesFor(dist + QStringLiteral("/Vantamorph")));
    const logo_xml::ReadResult read = logo_xml::readFile(QStringLiteral(VM_SOURCE_DIR) + templateFile);
    if (!read.document || convert.isEmpty()) {
        std::fprintf(stderr, "cannot read the template or find convert\n");
        return 1;
    }
    const LogoDocument& logo = *read.document;
    QTemporaryDir work;

    std::printf("template %s\n", qPrintable(templateFile));
    for (const int width : {507, 1024}) {
        const QSize size = export_format::scaledSize(logo.stageSize, width, 0);
        const QByteArray png = logo_pictures::encode(logo_pictures::render(logo, renderer, size, logo.background), ExportFormat::Png, nullptr);
        compare(QStringLiteral("PNG export at %1 px").arg(width), png.size(), convertedSize(convert, png, work.path()));
    }

    int packs = 0;
    QString lastPack;
    const double pack = medianMilliseconds(5, [&] {
        lastPack = work.path() + QStringLiteral("/pack%1").arg(++packs);
        BrandPack brand(logo, renderer, lastPack);
        if (!brand.run())
            std::fprintf(stderr, "brand pack failed: %s\n", qPrintable(brand.error().reason));
    });
    qint64 ours = 0, theirs = 0;
    double worst = 0;
    QString worstName;
    for (const QString& name : BrandPack::fileNames()) {
        const QByteArray bytes = fileBytes(lastPack + QLatin1Char('/') + name);
        QList<QByteArray> pngs;
        if (name.endsWith(QLatin1String(".png")))
            pngs.append(bytes);
        else if (name.endsWith(QLatin1String(".ico")))
            pngs = iconEntries(bytes);
        for (qsizetype index = 0; index < pngs.size(); ++index) {
            const qint64 packed = convertedSize(convert, pngs[index], work.path());
            ours += pngs[index].size();
            theirs += packed;
            if (packed > 0 && double(pngs[index].size()) / double(packed) > worst) {
                worst = double(pngs[index].size()) / double(packed);
                worstName = name + (pngs.size() > 1 ? QStringLiteral(" #%1").arg(index + 1) : QString());
            }
        }
    }
    compare(QStringLiteral("brand pack PNGs, all together"), ours, theirs);
    std::printf("%-34s %s at %.2f\n", "brand pack, largest single ratio", qPrintable(worstName), worst);

    // Bare: every file of the pack drawn straight at its size and packed, one after another.
    const QSize stage = logo.stageSize;
    QList<QSize> pictures;
    for (const int side : {stage.width(), 1024, 512})
        pictures.append(export_format::scaledSize(stage, side, 0));
    for (int copy = 0; copy < 3; ++copy) // transparent, black, white
        pictures.append(stage);
    for (const QSize icon : {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(180, 180), QSize(192, 192), QSize(512, 512),
                             QSize(400, 400), QSize(1200, 630)})
        pictures.append(icon);
    const double bare = medianMilliseconds(5, [&] {
        for (const QSize& size : pictures)
            png_file::encode(logo_pictures::render(logo, renderer, size, QColor()));
        for (const ExportFormat format : {ExportFormat::Svg, ExportFormat::Pdf, ExportFormat::Eps})
            logo_export::write(work.path() + QStringLiteral("/bare.") + export_format::extension(format), format, logo, renderer,
                               ExportOptions());
    });
    std::printf("brand pack %.1f ms; bare single-threaded render+pack %.1f ms; ratio %.2f (goal <= 3)\n", pack, bare, pack / bare);

    // The full publish, measured by its own bench in this same run.
    QProcess publish;
    publish.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    publish.start(QCoreApplication::applicationDirPath() + QStringLiteral("/publish_bench"), {dist});
    publish.waitForFinished(600000);
    for (const QByteArray& line : publish.readAllStandardOutput().split('\n'))
        if (line.startsWith("full publish") || line.startsWith("the same converter") || line.startsWith("ratio"))
            std::printf("%s\n", line.constData());
    return 0;
}
