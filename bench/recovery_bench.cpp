// One autosave of a 1,000-element logo against the project save of the same
// logo, in the same run, both through the real canvas and the host: from the
// host's request to the file on disk. Also the longest time the event loop
// was kept from running during each (a 0 ms heartbeat timer's largest gap).
#include "bench/bench_logo.h"
#include "bench/bench_support.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/reference/reference_canvas.h"
#include "project/project_flows.h"
#include "recovery/recovery.h"
#include "app/wiring/subsystem_seams.h"
#include "shell/host.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace vm;
using namespace vm::test;
using vm::bench::bigLogo;
using vm::bench::minimalMovie;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

struct Measured {
    double ms = 0;
    double longestBlockMs = 0; // wall clock: preemption on a busy machine included
    double longestBusyMs = 0;  // the user-interface thread's own work between two heartbeats
};

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Runs the event loop from start() until done() holds, timing it and the
// largest gap between two heartbeats of a 0 ms timer.
Measured measure(const std::function<void()>& start, const std::function<bool()>& done)
{
    QEventLoop loop;
    QElapsedTimer clock, beat;
    Measured measured;
    double busyFrom = 0;
    const auto heartbeat = [&] {
        measured.longestBlockMs = std::max(measured.longestBlockMs, beat.nsecsElapsed() / 1e6);
        measured.longestBusyMs = std::max(measured.longestBusyMs, threadCpuMs() - busyFrom);
        beat.start();
        busyFrom = threadCpuMs();
    };
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        heartbeat();
        if (done())
            loop.quit();
    });
    clock.start();
    beat.start();
    busyFrom = threadCpuMs();
    start();
    heartbeat();
    timer.start();
    loop.exec();
    measured.ms = clock.nsecsElapsed() / 1e6;
    return measured;
}

} // namespace

int main(int argc, char** argv)
{
    vm::bench::drawOffscreenUnlessToldOtherwise();
    QApplication app(argc, argv);
    const int rounds = 40;
    QTemporaryDir root;
    const QString programFolder = makeProgramFolder(root);
    QDir().mkpath(root.path() + QStringLiteral("/flash"));
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
    ProjectFlows flows(SubsystemSeams(host).project());
    RecoverySettings settings;
    settings.intervalSeconds = 3600; // only the benchmark's own requests
    settings.folder = root.path() + QStringLiteral("/state/vantamorph/recovery");
    Recovery recovery(SubsystemSeams(host).recovery(), settings);
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

    std::vector<double> saves, autosaves, serialise;
    Measured worstSave, worstAutosave;
    const auto keepWorst = [](Measured& worst, const Measured& one) {
        worst.longestBlockMs = std::max(worst.longestBlockMs, one.longestBlockMs);
        worst.longestBusyMs = std::max(worst.longestBusyMs, one.longestBusyMs);
    };
    for (int round = 0; round < rounds; ++round) {
        const auto projectSave = [&] {
            host.state.isDirty = true;
            QString path = target;
            const Measured save = measure([&] { flows.mnuSave(path); }, [&] { return !host.state.isDirty; });
            saves.push_back(save.ms);
            keepWorst(worstSave, save);
        };
        const auto autosave = [&] {
            host.state.isDirty = true;
            written = false;
            const Measured one = measure([&] { recovery.autosave().requestNow(); }, [&] { return written; });
            autosaves.push_back(one.ms);
            keepWorst(worstAutosave, one);
        };
        // Alternating which goes first: neither gains from a warm cache.
        if (round % 2) {
            projectSave();
            autosave();
        } else {
            autosave();
            projectSave();
        }
        QElapsedTimer clock;
        clock.start();
        logo_xml::write(canvas.editor().document());
        serialise.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double save = bench::median(saves), autosave = bench::median(autosaves);
    std::printf("logo of 1000 elements, %lld bytes, median of %d rounds\n",
                QFileInfo(recovery.store().logoPath()).size(), rounds);
    std::printf("autosave %.3f ms   project save %.3f ms   ratio %.2f (at most 1.2)\n", autosave, save,
                autosave / save);
    std::printf("longest stretch of user-interface thread work: autosave %.3f ms (at most 16), project save %.3f ms\n",
                worstAutosave.longestBusyMs, worstSave.longestBusyMs);
    std::printf("longest event-loop gap on the wall clock (preemption included): autosave %.3f ms, project save %.3f ms\n",
                worstAutosave.longestBlockMs, worstSave.longestBlockMs);
    std::printf("(the canvas writing its XML alone: %.3f ms)\n", bench::median(serialise));
    host.endProgram();
    return 0;
}
