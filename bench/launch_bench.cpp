// Launch to ready: how long the program takes from process start until its
// menus are built and enabled, against a bare Qt window with a menu bar,
// both measured here in the same run (median of 10 launches each). Given a
// folder of fonts, also the launch with those fonts installed (no name cache
// yet) against the launch with none.
#include "bench/bench_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double launchMilliseconds(const QString& program, const QStringList& arguments,
                          const QProcessEnvironment& extra = QProcessEnvironment())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(extra);
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
        return -1;
    }
    return double(clock.nsecsElapsed()) / 1e6;
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: launch_bench PATH/TO/vantamorph PATH/TO/bench_bare_window [WINDIR_WITH_Fonts]\n");
        return 2;
    }
    // The installed fonts: a given windir against an empty one, each launch with a fresh name cache.
    const QString fontsWindir = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTemporaryDir scratch;
    QDir().mkpath(scratch.path() + QStringLiteral("/empty/Fonts"));
    const auto fontEnvironment = [&](const QString& windir, int run) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("windir"), windir);
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), scratch.path() + QStringLiteral("/cache-%1-%2").arg(run).arg(windir.size()));
        return environment;
    };
    std::vector<double> withFonts;
    std::vector<double> withoutFonts;
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString bare = QString::fromLocal8Bit(argv[2]);
    const int runs = 10;
    std::vector<double> programTimes;
    std::vector<double> bareTimes;
    for (int run = 0; run < runs; ++run) {
        // Interleaved, so a busy moment of the machine hits both alike.
        const double bareTime = launchMilliseconds(bare, {});
        const double programTime =
            launchMilliseconds(program, {QStringLiteral("--quit-when-ready"), QStringLiteral("--desktop"),
                                         QStringLiteral("bench-%1").arg(QCoreApplication::applicationPid())});
        if (bareTime < 0 || programTime < 0)
            return 1;
        bareTimes.push_back(bareTime);
        programTimes.push_back(programTime);
        if (fontsWindir.isEmpty())
            continue;
        const QStringList arguments{QStringLiteral("--quit-when-ready"), QStringLiteral("--desktop"),
                                    QStringLiteral("bench-fonts-%1").arg(QCoreApplication::applicationPid())};
        const double none = launchMilliseconds(program, arguments, fontEnvironment(scratch.path() + QStringLiteral("/empty"), run));
        const double many = launchMilliseconds(program, arguments, fontEnvironment(fontsWindir, run));
        if (none < 0 || many < 0)
            return 1;
        withoutFonts.push_back(none);
        withFonts.push_back(many);
    }
    const double splash = 550.0;
    const double programMedian = vm::bench::median(programTimes);
    const double bareMedian = vm::bench::median(bareTimes);
    std::printf("bare Qt window with menu bar: median %.1f ms\n", bareMedian);
    std::printf("vantamorph launch to ready:   median %.1f ms\n", programMedian);
    std::printf("beyond the bare window:       %.1f ms (ratio %.2f)\n", programMedian - bareMedian,
                programMedian / bareMedian);
    std::printf("beyond bare window + %.0f ms splash: %.1f ms (goal: at most 100 ms)\n", splash,
                programMedian - bareMedian - splash);
    if (!fontsWindir.isEmpty()) {
        const double none = vm::bench::median(withoutFonts);
        const double many = vm::bench::median(withFonts);
        std::printf("launch to ready without fonts:  median %.1f ms\n", none);
        std::printf("launch to ready with the fonts: median %.1f ms (%+.1f ms, ratio %.2f; goal: within 100 ms)\n", many,
                    many - none, many / none);
    }
    return 0;
}
