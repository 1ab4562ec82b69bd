// Pictures for people to look at, not checks: the shipped templates on one
// contact sheet, the main window with a sample logo and its panels open, and
// the logo ideas window with the ideas for a sample name.
//   build/bench/screenshots [FOLDER]   (the current folder when none is given)
#include "bench/bench_logo.h"
#include "bench/bench_support.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/logo/template_library.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/reference/reference_canvas.h"
#include "canvas/ideas/idea_generator.h"
#include "canvas/wizard/idea_board.h"
#include "canvas/wizard/idea_request_form.h"
#include "canvas/wizard/ideas_window.h"
#include "shell/host.h"
#include "shell/views/main_window_view.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/program_folder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>

using namespace vm;

namespace {

bool contactSheet(const QString& path)
{
    registerShippedFonts(QStringLiteral(VM_SOURCE_DIR "/data/fonts"));
    const TemplateLibrary library = TemplateLibrary::load(QStringLiteral(VM_SOURCE_DIR "/data/templates"), QString(), {});
    const LogoRenderer renderer({QStringLiteral(VM_SOURCE_DIR "/data/datasrc"), QString()});
    const int columns = 6;
    const QSize cell(262, 214);
    const int rows = int((library.templates().size() + columns - 1) / columns);
    QImage sheet(cell.width() * columns, cell.height() * std::max(rows, 1), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xee, 0xf4, 0xfa));
    QPainter painter(&sheet);
    for (int index = 0; index < library.templates().size(); ++index) {
        const LogoTemplate& entry = library.templates()[index];
        const QPoint corner((index % columns) * cell.width() + 4, (index / columns) * cell.height() + 4);
        painter.drawImage(corner, renderer.render(entry.logo, 0.5, entry.logo.background));
        painter.drawText(QRect(corner + QPoint(0, 200), QSize(254, 12)), Qt::AlignCenter,
                         entry.category + QStringLiteral(": ") + entry.name);
    }
    painter.end();
    return sheet.save(path);
}

bool mainWindow(const QString& path)
{
    QTemporaryDir root;
    const QString programFolder = test::makeProgramFolder(root);
    QDir().mkpath(root.path() + QStringLiteral("/flash"));
    QSaveFile movie(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    if (!movie.open(QIODevice::WriteOnly) || movie.write(bench::minimalMovie()) < 0 || !movie.commit())
        return false;
    test::PlatformParts<> fakes;
    Trace quiet;
    ReferenceCanvas canvas(QStringLiteral("skwFlash"), quiet);
    MoviePlayer bitmap(QStringLiteral("ShockwaveFlash1"), quiet);
    Host host(fakes.platform, canvas, bitmap, programFolder);
    host.start();
    QElapsedTimer clock;
    clock.start();
    while (host.menuItems.FindItem(QStringLiteral("mnuProject")) == 0 && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    LogoResources resources = canvas.editor().renderer().resources();
    resources.dataFolder = QStringLiteral(VM_SOURCE_DIR "/data/datasrc");
    canvas.editor().renderer().setResources(resources);
    const TemplateLibrary library = TemplateLibrary::load(QStringLiteral(VM_SOURCE_DIR "/data/templates"), QString(), {});
    LogoDocument sample = library.templates().value(0).logo;
    for (const LogoTemplate& entry : library.templates())
        if (entry.path.endsWith(QLatin1String("morning-bakery.xml")))
            sample = entry.logo;
    canvas.editor().replaceAll(sample, QStringLiteral("Sample"));
    auto* editor = static_cast<EditorWidget*>(canvas.view());
    MainWindowView window(host, editor);
    window.resize(MainWindowView::startWidth, MainWindowView::startHeight);
    window.show();
    editor->arrangePanels();
    canvas.editor().select({canvas.editor().document().elements[1].id});
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
    const bool saved = window.grab().toImage().save(path);
    window.hide();
    return saved;
}

bool ideasWindow(const QString& path)
{
    registerShippedFonts(QStringLiteral(VM_SOURCE_DIR "/data/fonts"));
    const QString datasrc = QStringLiteral(VM_SOURCE_DIR "/data/datasrc");
    auto generator = std::make_shared<ideas::IdeaGenerator>(datasrc, QStringLiteral(VM_SOURCE_DIR "/data/ideas"));
    IdeasWindow window(generator, {datasrc, QString()});
    window.resize(1180, 760);
    window.show();
    window.form()->fill(QStringLiteral("Nordic Bakery"), QStringLiteral("Fresh bread since 1962"), QStringLiteral("bakery, bread"),
                        {QStringLiteral("classic"), QStringLiteral("elegant")}, QString());
    window.showIdeas();
    QElapsedTimer clock;
    clock.start();
    while (window.streaming() && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    window.board()->toggleStar(1);
    window.board()->toggleStar(4);
    window.grid()->setCurrentIndex(window.board()->index(5));
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
    const bool saved = window.grab().toImage().save(path);
    window.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    bench::drawOffscreenUnlessToldOtherwise();
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    bool ok = true;
    for (const auto& [name, make] : {std::pair{"template_contact_sheet.png", &contactSheet},
                                     std::pair{"main_window.png", &mainWindow},
                                     std::pair{"ideas_window.png", &ideasWindow}}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        const bool written = make(path);
        std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
        ok = ok && written;
    }
    return ok ? 0 : 1;
}
