// A text of one megabyte drawn on a curve and with letter spacing, against a
// 20-character curved text, in the same run: each case runs in a child
// process of its own, so its peak memory (ru_maxrss) is its own.
#include "bench/bench_support.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/logo_xml.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

using namespace vm;

constexpr qsizetype megabyte = 1 << 20;

LogoElement textOf(qsizetype length, bool curved)
{
    LogoElement text;
    text.kind = ElementKind::Text;
    text.fontFamily = QStringLiteral("DejaVu Sans");
    text.fontSize = 24;
    const QString words = QStringLiteral("Vantamorph Logo Works ");
    while (text.text.size() < length)
        text.text += words;
    text.text.truncate(length);
    if (curved)
        text.arcRadius = 200;
    else
        text.letterSpacing = 3;
    return text;
}

// Laid out, fitted into the stage and drawn once: what opening the logo costs.
int runCase(const char* name)
{
    const bool curved = std::strstr(name, "curved") != nullptr;
    const qsizetype length = std::strstr(name, "1mb") ? megabyte : 20;
    LogoDocument logo;
    logo.elements.push_back(textOf(length, curved));
    if (std::strstr(name, "file")) {
        // Through the logo reader, as a file on disk would come in.
        logo_xml::ReadResult read = logo_xml::read(logo_xml::write(logo));
        if (!read.document)
            return 1;
        logo = std::move(*read.document);
    }
    QElapsedTimer clock;
    clock.start();
    LogoRenderer renderer;
    LogoElement& text = logo.elements.front();
    const QSizeF natural = renderer.textSize(text);
    const double fit = std::min(480 / natural.width(), 380 / natural.height());
    text.size = natural * fit;
    text.position = QPointF(10, 10);
    const QImage image = renderer.render(logo, 1, Qt::white);
    const double milliseconds = double(clock.nsecsElapsed()) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %ld %d\n", milliseconds, usage.ru_maxrss, int(image.isNull()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    vm::bench::drawOffscreenUnlessToldOtherwise();
    if (argc == 3 && std::strcmp(argv[1], "--case") == 0) {
        QGuiApplication app(argc, argv);
        return runCase(argv[2]);
    }
    QCoreApplication app(argc, argv);
    const char* cases[] = {"curved-20", "curved-1mb", "spaced-1mb", "curved-1mb-file", "spaced-1mb-file"};
    double baseTime = 0, baseMemory = 0;
    std::printf("%-16s %10s %10s %8s %8s\n", "case", "ms", "peak MB", "x time", "x memory");
    for (const char* name : cases) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--case"), QString::fromLatin1(name)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            std::printf("%-16s failed\n", name);
            continue;
        }
        double milliseconds = 0, kilobytes = 0;
        int blank = 0;
        std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %d", &milliseconds, &kilobytes, &blank);
        if (baseTime == 0) {
            baseTime = milliseconds;
            baseMemory = kilobytes;
        }
        std::printf("%-16s %10.1f %10.1f %8.1f %8.1f\n", name, milliseconds, kilobytes / 1024, milliseconds / baseTime,
                    kilobytes / baseMemory);
        std::fflush(stdout);
    }
    return 0;
}
