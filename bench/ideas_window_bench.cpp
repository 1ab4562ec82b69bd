// How soon the ideas window shows its first screenful after "Show ideas", and
// when all its ideas are in, with the shipped generator and data.
//   build/bench/ideas_window_bench [ROUNDS] [NAME]
#include "bench/bench_support.h"
#include "canvas/ideas/idea_generator.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/wizard/idea_board.h"
#include "canvas/wizard/idea_request_form.h"
#include "canvas/wizard/ideas_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <functional>

using namespace vm;

namespace {

bool waitFor(const std::function<bool()>& done, QElapsedTimer& clock, qint64 limitMs)
{
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    bench::drawOffscreenUnlessToldOtherwise();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QString name = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("Nordic Bakery");
    registerShippedFonts(QStringLiteral(VM_SOURCE_DIR "/data/fonts"));
    const QString datasrc = QStringLiteral(VM_SOURCE_DIR "/data/datasrc");
    auto generator = std::make_shared<ideas::IdeaGenerator>(datasrc, QStringLiteral(VM_SOURCE_DIR "/data/ideas"));

    std::vector<double> firstScreenful, allIdeas;
    int shown = 0;
    for (int round = 0; round < rounds; ++round) {
        IdeasWindow window(generator, {datasrc, QString()});
        window.show();
        QCoreApplication::processEvents();
        window.form()->nameField()->setText(name);
        QElapsedTimer clock;
        clock.start();
        window.form()->showButton()->click();
        if (!waitFor([&] { return window.firstScreenfulMs() >= 0; }, clock, 30000)
            || !waitFor([&] { return !window.streaming(); }, clock, 60000)) {
            std::fprintf(stderr, "ideas_window_bench: the ideas did not arrive\n");
            return 1;
        }
        firstScreenful.push_back(double(window.firstScreenfulMs()));
        allIdeas.push_back(double(clock.elapsed()));
        shown = window.firstScreenful();
    }
    std::printf("ideas window, \"%s\", median of %d rounds: first screenful (%d ideas) painted after %.0f ms "
                "(goal 300 ms); all %d ideas after %.0f ms\n",
                qPrintable(name), rounds, shown, bench::median(firstScreenful), IdeasWindow::ideaCount,
                bench::median(allIdeas));
    return 0;
}
