// One autosave of a 1,000-element logo against the project save of the same
// logo, in the same run, both through the real canvas and the host: from the
// host's request to the file on disk. Also the longest time the event loop
// was kept from running during each (a 0 ms heartbeat timer's largest gap).
#include "bench/bench_support.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/reference/reference_canvas.h"
#include "project/project_flows.h"
#include "recovery/recovery.h"
#include "shell/host.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/program_folder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vm;
using namespace vm::test;

namespace {

QByteArray minimalMovie()
{
    QByteArray movie("FWS");
    movie.append(char(6));
    movie.append(QByteArray(4, '\0'));
    movie.append(QByteArray::fromHex("780004f380000f8200"));
    movie.append(QByteArray::fromHex("000c010040000000"));
    for (int i = 0; i < 4; ++i)
        movie[4 + i] = char((quint32(movie.size()) >> (8 * i)) & 0xff);
    return movie;
}

LogoDocument bigLogo(int count)
{
    LogoDocument logo;
    for (int index = 0; index < count; ++index) {
        LogoElement element;
        element.position = QPointF(index % 50 * 10.5, index / 50 * 19.25);
        element.size = QSizeF(40 + index % 7, 20 + index % 5);
        element.kind = index % 2 ? ElementKind::Symbol : ElementKind::Text;
        element.text = QStringLiteral("Text number %1").arg(index);
        element.symbol = QStringLiteral("ClipArts/Geometric/star.svg");
        element.color = QColor::fromHsv(index % 360, 200, 180);
        logo.elements.push_back(element);
    }
    return logo;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

struct Measured {
    double ms = 0;
    double longestBlockMs = 0;
};

// Runs the event loop from start() until done() holds, timing it and the
// largest gap between two heartbeats.
Measured measure(const std::function<void()>& start, const std::function<bool()>& done)
{
    QEventLoop loop;
    QElapsedTimer clock, beat;
    double longest = 0;
    QTimer heartbeat;
    heartbeat.setInterval(0);
    QObject::connect(&heartbeat, &QTimer::timeout, &loop, [&] {
        longest = std::max(longest, beat.nsecsElapsed() / 1e6);
        beat.start();
        if (done())
            loop.quit();
    });
    clock.start();
    beat.start();
    start();
    longest = std::max(longest, beat.nsecsElapsed() / 1e6);
    beat.start();
    heartbeat.start();
    loop.exec();
    return {clock.nsecsElapsed() / 1e6, longest};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = 20;
    QTemporaryDir root;
    const QString programFolder = makeProgramFolder(root);
    if (!writeFile(root.path() + QStringLiteral("/flash/LogoMain.swf"), minimalMovie()))
        return 1;
    const QString source = root.path() + QStringLiteral("/big.vmp");
    const QString target = root.path() + QStringLiteral("/saved.vmp");
    writeFile(source, logo_xml::write(bigLogo(1000)));

    PlatformParts<> fakes;
    Trace quiet;
    ReferenceCanvas canvas(QStringLiteral("skwFlash"), quiet);
    MoviePlayer bitmap(QStringLiteral("ShockwaveFlash1"), quiet);
    Host host(fakes.platform, canvas, bitmap, programFolder);
    ProjectFlows flows(host);
    RecoverySettings settings;
    settings.intervalSeconds = 3600; // only the benchmark's own requests
    settings.folder = root.path() + QStringLiteral("/state/vantamorph/recovery");
    Recovery recovery(host, settings);
    bool written = false;
    recovery.autosave().onWritten = [&](const WriteOutcome& outcome) {
        written = true;
        if (!outcome.ok)
            std::fprintf(stderr, "autosave failed: %s\n", qPrintable(outcome.reason));
    };
    canvas.setMovie(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    QCoreApplication::processEvents();
    flows.OpenLogoProject(QStringLiteral("result open"), source, QString());
    QCoreApplication::processEvents();
    if (canvas.editor().document().elements.size() != 1000) {
        std::fprintf(stderr, "the canvas did not open the logo\n");
        return 1;
    }

    std::vector<double> saves, autosaves, saveBlocks, autosaveBlocks;
    for (int round = 0; round < rounds; ++round) {
        host.state.isDirty = true;
        QString path = target;
        const Measured save = measure([&] { flows.mnuSave(path); }, [&] { return !host.state.isDirty; });
        host.state.isDirty = true;
        written = false;
        const Measured autosave = measure([&] { recovery.autosave().requestNow(); }, [&] { return written; });
        saves.push_back(save.ms);
        autosaves.push_back(autosave.ms);
        saveBlocks.push_back(save.longestBlockMs);
        autosaveBlocks.push_back(autosave.longestBlockMs);
    }
    const double save = bench::median(saves), autosave = bench::median(autosaves);
    std::printf("logo of 1000 elements, %lld bytes, median of %d rounds\n",
                QFileInfo(recovery.store().logoPath()).size(), rounds);
    std::printf("autosave %.3f ms   project save %.3f ms   ratio %.2f (at most 1.2)\n", autosave, save,
                autosave / save);
    std::printf("event loop blocked at most: autosave %.3f ms (limit 16), project save %.3f ms\n",
                *std::max_element(autosaveBlocks.begin(), autosaveBlocks.end()),
                *std::max_element(saveBlocks.begin(), saveBlocks.end()));
    host.endProgram();
    return 0;
}
