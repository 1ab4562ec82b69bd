// Open and save of a 1,000-element logo through the canvas's player control,
// against pugixml parsing and saving the same XML bare, in the same run.
#include "bench/bench_logo.h"
#include "bench/bench_support.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/reference/reference_canvas.h"
#include "platform/api/trace.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <pugixml.hpp>
#include <vector>

namespace {

using namespace vm;
using vm::bench::bigLogo;
using vm::bench::minimalMovie;

const QString ae = QString(QChar(0x00E6));

} // namespace

int main(int argc, char** argv)
{
    vm::bench::drawOffscreenUnlessToldOtherwise();
    QGuiApplication app(argc, argv);
    const int rounds = 30;
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/flash"));
    QFile movie(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    if (!movie.open(QIODevice::WriteOnly) || movie.write(minimalMovie()) < 0)
        return 1;
    movie.close();

    const QString source = root.path() + QStringLiteral("/big.vmp");
    const QString target = root.path() + QStringLiteral("/saved.vmp");
    {
        QSaveFile file(source);
        file.open(QIODevice::WriteOnly);
        file.write(logo_xml::write(bigLogo(1000)));
        file.commit();
    }

    Trace trace;
    ReferenceCanvas canvas(QStringLiteral("skwFlash"), trace);
    QString lastCommand, lastArgument;
    canvas.onCommand([&](const QString& command, const QString& argument) {
        lastCommand = command;
        lastArgument = argument;
    });
    canvas.setMovie(movie.fileName());
    const auto send = [&](const QString& command, const QString& argument, const QString& answer) {
        lastCommand.clear();
        canvas.setVariable(QStringLiteral("commandVB"), command);
        canvas.setVariable(QStringLiteral("argsVB"), argument);
        canvas.tGotoFrame(QStringLiteral("/Interaction"), 2);
        canvas.tPlay(QStringLiteral("/Interaction"));
        while (lastCommand != answer)
            QCoreApplication::processEvents();
    };
    QCoreApplication::processEvents();

    std::vector<double> bareOpen, bareSave, canvasOpen, canvasSave;
    QElapsedTimer clock;
    const QByteArray sourcePath = source.toLocal8Bit();
    const QByteArray targetPath = target.toLocal8Bit();
    for (int round = 0; round < rounds; ++round) {
        pugi::xml_document document;
        clock.start();
        document.load_file(sourcePath.constData());
        bareOpen.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        document.save_file(targetPath.constData(), "  ");
        bareSave.push_back(clock.nsecsElapsed() / 1e6);

        clock.start();
        send(QStringLiteral("result open"), source + ae + QStringLiteral("null"), QStringLiteral("datatosave"));
        canvasOpen.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        send(QStringLiteral("show save"), target, QStringLiteral("show save"));
        // The host's part of a save: everything after the separator, written whole.
        QSaveFile file(target);
        file.open(QIODevice::WriteOnly);
        file.write(lastArgument.mid(lastArgument.indexOf(ae) + 1).toUtf8());
        file.commit();
        canvasSave.push_back(clock.nsecsElapsed() / 1e6);
    }
    if (canvas.editor().document().elements.size() != 1000) {
        std::fprintf(stderr, "the canvas did not open the logo\n");
        return 1;
    }
    const double open = vm::bench::median(canvasOpen), save = vm::bench::median(canvasSave);
    const double pugiOpen = vm::bench::median(bareOpen), pugiSave = vm::bench::median(bareSave);
    std::printf("logo of 1000 elements, %lld bytes, median of %d rounds\n", QFileInfo(source).size(), rounds);
    std::printf("open:  canvas %.3f ms   pugixml %.3f ms   ratio %.2f\n", open, pugiOpen, open / pugiOpen);
    std::printf("save:  canvas %.3f ms   pugixml %.3f ms   ratio %.2f\n", save, pugiSave, save / pugiSave);
    return 0;
}
