// Opening the template gallery against rendering one template alone, in the
// same run: the shipped templates, then 300 made from them.
//
//   template_bench INSTALL_ROOT      (e.g. build/dist)
#include "bench/bench_support.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/logo/template_library.h"
#include "canvas/gallery/template_gallery.h"
#include "canvas/gallery/template_thumbnails.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

using namespace vm;

namespace {

constexpr int rounds = 15;

double timed(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return bench::median(times);
}

// count templates in six categories, copied round-robin from the shipped ones.
bool makeTemplates(const TemplateLibrary& shipped, const QString& folder, int count)
{
    const QList<LogoTemplate>& source = shipped.templates();
    for (int index = 0; index < count; ++index) {
        const LogoTemplate& from = source[index % source.size()];
        const QString category = QStringLiteral("%1/category-%2").arg(folder).arg(index % 6);
        QDir().mkpath(category);
        if (!QFile::copy(from.path, QStringLiteral("%1/design-%2.xml").arg(category).arg(index, 3, 10, QLatin1Char('0'))))
            return false;
    }
    return true;
}

struct Gallery {
    double open;    // from the request to the first page painted, gallery widget made anew
    double reopen;  // the same with the widget kept, as the canvas keeps it
    double load;    // of which reading the template files
    double all;     // every thumbnail drawn as well
    int drawn;      // thumbnails drawn for the first page
};

Gallery measureGallery(const QString& templates, const LogoResources& resources)
{
    Gallery result{};
    // The renderer is new every round, so every thumbnail is drawn from cold.
    std::unique_ptr<LogoRenderer> renderer;
    std::unique_ptr<TemplateGallery> gallery;
    TemplateLibrary library;
    const auto show = [&] {
        library = TemplateLibrary::load(templates, QString(), {});
        gallery->showLibrary(library);
        gallery->show();
        QCoreApplication::processEvents();
        gallery->repaint();
    };
    const auto open = [&] {
        renderer = std::make_unique<LogoRenderer>(resources);
        gallery = std::make_unique<TemplateGallery>(*renderer);
        gallery->resize(1000, 640);
        show();
    };
    result.open = timed(open);
    result.drawn = gallery->thumbnails().renderedCount();
    result.reopen = timed(show);
    result.load = timed([&] { library = TemplateLibrary::load(templates, QString(), {}); });
    result.all = timed([&] {
        open();
        for (const QString& category : library.categories())
            for (const LogoTemplate* entry : library.inCategory(category))
                gallery->thumbnails().thumbnail(*entry);
    });
    gallery.reset();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    vm::bench::drawOffscreenUnlessToldOtherwise();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s INSTALL_ROOT\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    registerShippedFonts(root + QStringLiteral("/fonts"));
    const LogoResources resources{root + QStringLiteral("/datasrc"), root + QStringLiteral("/LogoImages")};
    const QString shippedFolder = root + QStringLiteral("/templates");
    const TemplateLibrary shipped = TemplateLibrary::load(shippedFolder, QString(), {});
    if (shipped.templates().isEmpty()) {
        std::fprintf(stderr, "no templates in %s\n", qPrintable(shippedFolder));
        return 1;
    }

    // Baseline: one template read and drawn at full stage size by a new renderer.
    const QString one = shipped.templates().first().path;
    const double single = timed([&] {
        const logo_xml::ReadResult read = logo_xml::readFile(one);
        const LogoRenderer renderer(resources);
        renderer.render(*read.document, 1.0, read.document->background);
    });
    std::printf("baseline: one template rendered at full size: %.2f ms (%s)\n", single, qPrintable(one));

    QTemporaryDir generated;
    if (!makeTemplates(shipped, generated.path(), 300)) {
        std::fprintf(stderr, "cannot write the generated templates\n");
        return 1;
    }
    struct Case {
        const char* name;
        QString folder;
        int count;
    };
    const Case cases[] = {{"shipped", shippedFolder, int(shipped.templates().size())}, {"generated", generated.path(), 300}};
    for (const Case& entry : cases) {
        const Gallery gallery = measureGallery(entry.folder, resources);
        std::printf("%-9s %3d templates: gallery on screen %.2f ms = %.1f x one template (%d thumbnails drawn), "
                    "reopened %.2f ms = %.1f x, reading the files %.2f ms; every thumbnail drawn %.2f ms = %.1f x\n",
                    entry.name, entry.count, gallery.open, gallery.open / single, gallery.drawn, gallery.reopen,
                    gallery.reopen / single, gallery.load, gallery.all, gallery.all / single);
    }
    std::printf("median of %d rounds each\n", rounds);
    return 0;
}
