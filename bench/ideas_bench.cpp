// Logo ideas against one export, in the same run: the command line's 60 ideas
// with their previews and page against one --export of one of them (start-up
// included both times), and the editor's first screenful: 12 ideas made and
// drawn at grid size in this process, as the ideas window does.
//   ideas_bench DIST   (DIST: the program tree, build/dist)
#include "bench/bench_support.h"
#include "canvas/ideas/idea_generator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

bool runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vm;
    bench::drawOffscreenUnlessToldOtherwise();
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ideas_bench DIST\n");
        return 2;
    }
    const QDir dist(QString::fromLocal8Bit(argv[1]));
    const QString program = dist.filePath(QStringLiteral("Vantamorph/vantamorph"));
    QTemporaryDir work;
    const QStringList request = {QStringLiteral("--ideas"), QStringLiteral("Nordic Bakery"), QStringLiteral("--tagline"),
                                 QStringLiteral("Fresh bread since 1962"), QStringLiteral("--keywords"), QStringLiteral("bakery")};
    constexpr int rounds = 3;

    std::vector<double> ideasTimes, exportTimes, screenTimes;
    for (int round = 0; round < rounds; ++round) {
        const QString out = work.filePath(QStringLiteral("ideas-%1").arg(round));
        ideasTimes.push_back(millisecondsOf([&] {
            if (!runProgram(program, request + QStringList{QStringLiteral("--out"), out}))
                std::fprintf(stderr, "ideas_bench: --ideas failed\n");
        }));
        exportTimes.push_back(millisecondsOf([&] {
            if (!runProgram(program, {QStringLiteral("--export"), QDir(out).filePath(QStringLiteral("idea-001.vmp")),
                                      QStringLiteral("--out"), work.filePath(QStringLiteral("one-%1.png").arg(round))}))
                std::fprintf(stderr, "ideas_bench: --export failed\n");
        }));
    }

    // The window's first screenful, with the generator already made (it is made once, when the window opens).
    double openMs = 0;
    std::unique_ptr<ideas::IdeaGenerator> generator;
    openMs = millisecondsOf([&] {
        generator = std::make_unique<ideas::IdeaGenerator>(dist.filePath(QStringLiteral("datasrc")),
                                                           dist.filePath(QStringLiteral("ideas")));
    });
    for (int round = 0; round < rounds; ++round) {
        ideas::IdeaRequest request;
        request.name = QStringLiteral("Nordic Bakery");
        request.tagline = QStringLiteral("Fresh bread since 1962");
        request.keywords = {QStringLiteral("bakery")};
        request.seed = quint32(round + 1); // a new request each round: nothing measured twice
        screenTimes.push_back(millisecondsOf([&] {
            for (const ideas::Idea& idea : generator->ideas(request, 1, 12))
                (void)generator->preview(idea, 200);
        }));
    }

    const double ideas60 = bench::median(ideasTimes), oneExport = bench::median(exportTimes);
    const double screen = bench::median(screenTimes);
    std::printf("60 ideas with previews and page (--ideas): %8.1f ms\n", ideas60);
    std::printf("one --export of one idea (PNG):           %8.1f ms\n", oneExport);
    std::printf("ratio ideas / export:                     %8.1f x  (goal <= 10)\n", ideas60 / oneExport);
    std::printf("generator opened (catalogue, data, fonts): %7.1f ms\n", openMs);
    std::printf("first screenful, 12 ideas at 200 px:      %8.1f ms  (goal <= 300)\n", screen);
    return 0;
}
