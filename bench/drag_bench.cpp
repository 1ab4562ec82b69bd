// Dragging a selection of 50 elements in the real editor widget, offscreen: the
// time of each mouse-move frame (the move, the scene's update and the repaint)
// with 1,000 elements on the stage, against the same 50 on an empty stage.
#include "bench/bench_logo.h"
#include "bench/bench_support.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/reference/reference_canvas.h"
#include "canvas/editor/stage_view.h"
#include "platform/api/trace.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

using namespace vm;

// Counts the stage's repaints, so that a frame is timed until it is on screen.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Processor time of the whole program: on a busy machine the clock on the wall
// also counts the time others had the processor.
double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Frames {
    std::vector<double> milliseconds;
    std::vector<double> processor;
    double percentile(double share, bool onProcessor = false) const
    {
        std::vector<double> sorted = onProcessor ? processor : milliseconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(share * sorted.size()))];
    }
};

// The logo's topmost element and every 20th below it make the selection of 50.
Frames dragFifty(const LogoDocument& logo, int frames)
{
    Trace trace;
    ReferenceCanvas canvas(QStringLiteral("skwFlash"), trace);
    LogoResources resources = canvas.editor().renderer().resources();
    resources.dataFolder = QStringLiteral(VM_SOURCE_DIR "/data/datasrc");
    canvas.editor().renderer().setResources(resources);
    auto* widget = static_cast<EditorWidget*>(canvas.view());
    widget->resize(1100, 760);
    widget->show();
    canvas.editor().load(logo);
    const auto& elements = canvas.editor().document().elements;
    QSet<quint64> selection;
    for (int index = int(elements.size()) - 1; index >= 0 && selection.size() < 50; index -= 20)
        selection.insert(elements[index].id);
    canvas.editor().select(selection);
    QCoreApplication::processEvents();

    QWidget* viewport = widget->stage()->viewport();
    PaintCounter counter;
    viewport->installEventFilter(&counter);
    const auto send = [&](QEvent::Type type, const QPointF& stagePoint, Qt::MouseButtons held) {
        const QPointF local = widget->stage()->mapFromScene(stagePoint);
        QMouseEvent event(type, local, viewport->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    const QPointF start = elements.back().box().center();
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    QCoreApplication::processEvents();

    Frames result;
    QElapsedTimer clock;
    for (int frame = 1; frame <= frames; ++frame) {
        // Back and forth over 60 stage units, as a hand would.
        const double along = (frame % 60 < 30 ? frame % 30 : 30 - frame % 30) * 2.0;
        const int paintsBefore = counter.paints;
        const double processorStart = processorMilliseconds();
        clock.start();
        send(QEvent::MouseMove, start + QPointF(along, along / 2), Qt::LeftButton);
        for (int spin = 0; spin < 100 && counter.paints == paintsBefore; ++spin)
            QCoreApplication::processEvents();
        result.milliseconds.push_back(clock.nsecsElapsed() / 1e6);
        result.processor.push_back(processorMilliseconds() - processorStart);
    }
    send(QEvent::MouseButtonRelease, start, Qt::NoButton);
    QCoreApplication::processEvents();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    vm::bench::drawOffscreenUnlessToldOtherwise();
    QApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(10, atoi(argv[1])) : 300;

    const LogoDocument full = vm::bench::bigLogo(1000);
    // The empty stage: only the fifty that are dragged.
    LogoDocument alone;
    for (int index = int(full.elements.size()) - 1; index >= 0 && alone.elements.size() < 50; index -= 20)
        alone.elements.insert(alone.elements.begin(), full.elements[index]);

    const Frames empty = dragFifty(alone, frames);
    const Frames crowded = dragFifty(full, frames);
    std::printf("dragging 50 selected elements, %d mouse-move frames each, offscreen\n", frames);
    for (bool onProcessor : {false, true}) {
        std::printf("%s\n", onProcessor ? "processor time per frame:" : "wall-clock time per frame:");
        const double emptyMedian = empty.percentile(0.5, onProcessor), emptyTail = empty.percentile(0.99, onProcessor);
        const double median = crowded.percentile(0.5, onProcessor), tail = crowded.percentile(0.99, onProcessor);
        std::printf("  empty stage:     median %.3f ms   99th percentile %.3f ms\n", emptyMedian, emptyTail);
        std::printf("  1000 elements:   median %.3f ms   99th percentile %.3f ms\n", median, tail);
        std::printf("  ratio:           median %.2f   99th percentile %.2f\n", median / emptyMedian, tail / emptyTail);
    }
    std::printf("goal: every frame under 16 ms\n");
    return 0;
}
