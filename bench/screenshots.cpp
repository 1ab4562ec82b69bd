// Pictures for people to look at, not checks: the shipped templates on one
// contact sheet, and the main window with a sample logo and its panels open.
//   build/bench/screenshots [FOLDER]   (the current folder when none is given)
#include "bench/bench_logo.h"
#include "bench/bench_support.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/logo/template_library.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/reference/reference_canvas.h"
#include "canvas/wizard/wizard_logo.h"
#include "shell/host.h"
#include "shell/views/main_window_view.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/program_folder.h"

#include <QApplication>
#include <QElapsedTimer>
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
    canvas.editor().replaceAll(wizardLogo(QStringLiteral("Northwind Bakery"), QStringLiteral("Fresh every morning"),
                                          QStringLiteral("Classic")),
                               QStringLiteral("Sample"));
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

} // namespace

int main(int argc, char** argv)
{
    bench::drawOffscreenUnlessToldOtherwise();
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    bool ok = true;
    for (const auto& [name, make] : {std::pair{"template_contact_sheet.png", &contactSheet},
                                     std::pair{"main_window.png", &mainWindow}}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        const bool written = make(path);
        std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
        ok = ok && written;
    }
    return ok ? 0 : 1;
}
