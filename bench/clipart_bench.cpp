// The clip-art browser with the full library: time until it shows its first
// page (catalogue read, dialog built, the symbols in sight drawn) and the
// keyword search, against reading the catalogue and its list files bare with
// pugixml, in the same run.
//
//   clipart_bench [DATASRC]      (default: the shipped data/datasrc)
#include "bench/bench_support.h"
#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/symbols/clipart_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <pugixml.hpp>
#include <vector>

namespace {

using namespace vm;

constexpr int rounds = 10;

// What any reader of the catalogue must do at least: parse every file and touch every symbol.
int readBare(const QString& dataFolder)
{
    pugi::xml_document catalogue;
    catalogue.load_file((dataFolder + QStringLiteral("/VM_Logos.xml")).toLocal8Bit().constData());
    int symbols = 0;
    for (const pugi::xml_node& category : catalogue.document_element().children("Category")) {
        const QString folder = dataFolder + QStringLiteral("/ClipArts/") + QString::fromUtf8(category.first_attribute().value()) + '/';
        for (const pugi::xml_node& list : category.children()) {
            pugi::xml_document listDocument;
            listDocument.load_file((folder + QString::fromUtf8(list.child_value())).toLocal8Bit().constData());
            for (const pugi::xml_node& symbol : listDocument.document_element().children())
                symbols += symbol.first_child().child_value()[0] != 0;
        }
    }
    return symbols;
}

double millisecondsSince(const QElapsedTimer& clock) { return double(clock.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dataFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VM_SOURCE_DIR "/data/datasrc");

    std::vector<double> bare, catalogueRead, firstPage, search, typing;
    int symbols = 0;
    int drawn = 0;
    const QStringList queries = {"coffee", "rocket", "leaf", "a", "arrow circle", "nothingatall"};
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        symbols = readBare(dataFolder);
        bare.push_back(millisecondsSince(clock));

        // A fresh renderer and dialog: no symbol or thumbnail drawn before.
        clock.restart();
        LogoRenderer renderer({dataFolder, QString()});
        const ClipArtCatalogue catalogue = ClipArtCatalogue::load(dataFolder);
        catalogueRead.push_back(millisecondsSince(clock));
        {
            ClipArtDialog dialog(catalogue, renderer);
            dialog.show();
            dialog.grab(); // paints the first page as the screen would
            firstPage.push_back(millisecondsSince(clock));
            drawn = dialog.drawnThumbnails();

            // Typing in the dialog: the search and the list refilled.
            for (const QString& query : queries) {
                clock.restart();
                dialog.setQuery(query);
                typing.push_back(millisecondsSince(clock));
            }
        }
        for (const QString& query : queries) {
            clock.restart();
            const qsizetype found = catalogue.search(query).size();
            search.push_back(millisecondsSince(clock));
            Q_UNUSED(found);
        }
    }
    const double bareMs = bench::median(bare);
    const double firstMs = bench::median(firstPage);
    const double searchMs = *std::max_element(search.begin(), search.end());
    const double searchMedian = bench::median(search);
    const double readMs = bench::median(catalogueRead);
    const double typingMs = bench::median(typing);
    const double typingWorst = *std::max_element(typing.begin(), typing.end());
    std::printf("library: %d symbols; first page draws %d thumbnails\n", symbols, drawn);
    std::printf("pugixml bare read of catalogue and lists: %.2f ms (median of %d)\n", bareMs, rounds);
    std::printf("  of which the catalogue read:            %.2f ms (median) = %.2f x bare read\n", readMs, readMs / bareMs);
    std::printf("browser open to first page:               %.2f ms (median) = %.2f x bare read  [goal < 100 ms]\n", firstMs, firstMs / bareMs);
    std::printf("keyword search over all symbols:          %.3f ms (slowest of %lld) = %.3f x bare read  [goal < 10 ms]\n",
                searchMs, (long long)search.size(), searchMs / bareMs);
    std::printf("  median search:                          %.3f ms = %.3f x bare read\n", searchMedian, searchMedian / bareMs);
    std::printf("typing in the browser (search + refill):  %.3f ms median, %.3f ms slowest = %.3f x bare read\n", typingMs,
                typingWorst, typingWorst / bareMs);
    return 0;
}
