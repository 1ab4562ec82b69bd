// Vantamorph: wires the platform services, the canvas players and the host
// together, for a normal run with a screen or for a scripted session. Both
// runs build the same program; a scripted one replaces only what it fakes
// (the user's answers, the windows it records) and may keep the scripted canvas.
#include "app/ideas/ideas_run.h"
#include "app/program/machine_services.h"
#include "app/program/program.h"
#include "app/scripting/command_line.h"
#include "app/scripting/script_session.h"
#include "canvas/bitmap/bitmap_canvas.h"
#include "canvas/player/startup_canvas.h"
#include "canvas/reference/reference_canvas.h"
#include "export/export_run.h"
#include "platform/linux/desktop_shell_opener.h"
#include "platform/linux/immediate_process_control.h"
#include "platform/linux/local_desktop_channel.h"
#include "platform/linux/qt_system_dialogs.h"
#include "platform/print_views/qt_modal_window_view.h"
#include "platform/printing/system_page_printer.h"
#include "platform/scripted/answer_queue.h"
#include "platform/scripted/script_parser.h"
#include "platform/scripted/script_transcript.h"
#include "platform/scripted/scripted_form_presenter.h"
#include "platform/scripted/scripted_shell_opener.h"
#include "platform/scripted/scripted_system_dialogs.h"
#include "platform/scripted/transcript_process_control.h"
#include "platform/scripted/transcript_process_runner.h"
#include "publish/views/save_logo_view.h"
#include "shell/views/host_views.h"
#include "shell/views/qt_form_presenter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <memory>
#include <csignal>
#include <cstdio>

namespace vm {
namespace {

const QString canvasControl = QStringLiteral("skwFlash");

// Decided once per run: the program folder, or the user's places when it cannot be written.
// Whatever could not be made is said on stderr here and shown once the menus are ready.
UserPlaces discoverPlaces()
{
    UserPlaces places = UserPlaces::discover(QCoreApplication::applicationDirPath());
    for (const QString& problem : places.prepare())
        std::fprintf(stderr, "vantamorph: %s\n", qPrintable(problem));
    return places;
}
const QString bitmapControl = QStringLiteral("ShockwaveFlash1");

// The editing canvas and the bitmap canvas that draws its pictures.
struct RealCanvases {
    RealCanvases(Trace& trace, PagePrinter& printer, const UserPlaces& places)
        : editing(canvasControl, trace, &printer), bitmap(bitmapControl, trace, editing)
    {
        editing.setBitmapCanvas(&bitmap);
        editing.setUserPlaces(places);
    }

    CurrentLogo currentLogo()
    {
        return [this] { return CanvasLogo{&editing.currentLogo(), &editing.logoRenderer()}; };
    }

    ReferenceCanvas editing;
    BitmapCanvas bitmap;
};

int runWithScreen(QApplication& app, const CommandLine& options)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const UserPlaces places = discoverPlaces();
    MachineServices machine(programFolder);
    Trace noTranscript;
    LocalDesktopChannel desktop(options.desktopName);
    WindowRegistry windows(&desktop);
    QtFormPresenter forms(windows);
    QtSystemDialogs dialogs;
    DesktopShellOpener shell;
    ImmediateProcessControl process;
    Platform platform{windows, forms, dialogs, machine.os, machine.rights, shell, machine.network, process, noTranscript};
    QtModalWindowView printWindows(machine.spooler);
    SystemPagePrinter pagePrinter(windows, machine.spooler, machine.locale, &printWindows);
    RealCanvases canvases(noTranscript, pagePrinter, places);

    Program program({platform, canvases.editing, canvases.bitmap,
                     {machine.processes, machine.spooler, machine.locale, machine.osVersion},
                     machine.rasterConverter, canvases.currentLogo(), programFolder, places});
    program.host().state.commandLineProject = options.projectPath;
    // A launch measurement ends at once: it has nothing to autosave or restore.
    program.buildSubsystems(!options.quitWhenReady);
    registerHostViews(forms, program.host(), canvases.editing.view());
    registerPublishView(forms);
    if (options.quitWhenReady)
        program.host().lifeCycle.on(LifeCycle::ready, [&] { QTimer::singleShot(0, [&] { program.end(); }); });
    program.start();
    app.exec();
    // The program ends only through the host; the views must not outlive it.
    program.end();
    return 0;
}

int runScript(QApplication& app, const CommandLine& options)
{
    QString why;
    const std::optional<QList<Statement>> statements = ScriptParser::parseFile(options.scriptPath, &why);
    if (!statements) {
        std::fprintf(stderr, "vantamorph: cannot read the script: %s\n", qPrintable(why));
        return CommandLine::usageExitCode;
    }
    ScriptTranscript transcript(options.transcriptPath);
    if (!transcript.isOpen()) {
        std::fprintf(stderr, "vantamorph: cannot write the transcript %s\n", qPrintable(options.transcriptPath));
        return CommandLine::usageExitCode;
    }
    const QString programFolder = QCoreApplication::applicationDirPath();
    const UserPlaces places = discoverPlaces();
    MachineServices machine(programFolder);
    AnswerQueue answers;
    LocalDesktopChannel desktop(options.desktopName);
    WindowRegistry windows(&desktop);
    ScriptedFormPresenter forms(windows, transcript, answers);
    ScriptedSystemDialogs dialogs(transcript, answers);
    ScriptedShellOpener shell(transcript);
    TranscriptProcessControl process(transcript);
    Platform platform{windows, forms, dialogs, machine.os, machine.rights, shell, machine.network, process, transcript};
    TranscriptProcessRunner processes(machine.processes, transcript);
    TranscriptProcessRunner rasterConverter(machine.rasterConverter, transcript);
    // Printing goes through the print windows without a screen; the script answers them.
    SystemPagePrinter pagePrinter(windows, machine.spooler, machine.locale, nullptr, &transcript);

    // The scripted canvas by default; the real editing and bitmap canvases on request.
    std::unique_ptr<RealCanvases> real;
    std::unique_ptr<MoviePlayer> scriptedCanvas;
    std::unique_ptr<MoviePlayer> scriptedBitmap;
    MoviePlayer* canvas = nullptr;
    MoviePlayer* bitmap = nullptr;
    if (options.referenceCanvas) {
        real = std::make_unique<RealCanvases>(transcript, pagePrinter, places);
        canvas = &real->editing;
        bitmap = &real->bitmap;
    } else {
        scriptedCanvas = std::make_unique<StartupCanvas>(canvasControl, transcript);
        scriptedBitmap = std::make_unique<MoviePlayer>(bitmapControl, transcript);
        canvas = scriptedCanvas.get();
        bitmap = scriptedBitmap.get();
    }
    // Only the real canvas has a logo to pack; the scripted one says there is none.
    const CurrentLogo currentLogo = real ? real->currentLogo() : CurrentLogo([] { return CanvasLogo(); });

    Program program({platform, *canvas, *bitmap, {processes, machine.spooler, machine.locale, machine.osVersion},
                     rasterConverter, currentLogo, programFolder, places});
    // The session hears the program is ready before any subsystem does.
    ScriptSession session(program.host(), *canvas, *bitmap, answers, transcript, *statements);
    program.host().state.commandLineProject = options.projectPath;
    program.buildSubsystems(true);
    // A session's transcript shows the font list in the same place on every run.
    program.userFonts().scan.waitAtMainWindowLoad = true;
    if (real)
        session.setGalleryHandler([editing = &real->editing](const QString& category, const QString& name) {
            if (!editing->galleryOpen())
                return QStringLiteral("not open");
            if (category.isEmpty() && name.isEmpty()) {
                editing->leaveTemplates();
                return QString();
            }
            return editing->pickTemplate(category, name) ? QString() : QStringLiteral("no such template");
        });
    program.start();
    session.start();
    app.exec();
    program.end();
    return 0;
}

// A run without a window draws with the screen's renderer on the offscreen
// platform. stderr carries one line about the run; Qt's own notes (a missing
// runtime folder, fonts) stay out of it.
void drawWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "vantamorph: %s\n", qPrintable(message));
    });
}

// An export run draws with the screen's renderer but opens no window: it needs
// only a GUI application on the offscreen platform, never a display.
int runExportCommand(int& argc, char** argv, const CommandLine& options)
{
    drawWithoutDisplay();
    QGuiApplication app(argc, argv);
    ExportRun run;
    run.brandPack = !options.brandPackProject.isEmpty();
    run.project = run.brandPack ? options.brandPackProject : options.exportProject;
    run.out = options.outPath;
    run.options.width = options.width;
    run.options.height = options.height;
    run.options.transparent = options.transparent;
    run.options.textToPath = options.textToPath;
    if (!options.background.isEmpty())
        run.options.background = QColor(options.background);
    // An export only reads: the user's places are looked at, never made.
    const ExportRunResult result =
        runExport(run, logo_export::resourcesFor(UserPlaces::discover(QCoreApplication::applicationDirPath())));
    for (const QString& warning : result.warnings)
        std::fprintf(stderr, "vantamorph: %s\n", qPrintable(warning));
    if (!result.message.isEmpty())
        std::fprintf(stderr, "vantamorph: %s\n", qPrintable(result.message));
    return result.exitCode;
}

// Logo ideas are drawn as an export is: a GUI application on the offscreen platform, no display.
int runIdeasCommand(int& argc, char** argv, const CommandLine& options)
{
    drawWithoutDisplay();
    QGuiApplication app(argc, argv);
    const IdeasRunResult result = runIdeas(options.ideas, QCoreApplication::applicationDirPath());
    if (!result.message.isEmpty())
        std::fprintf(stderr, "vantamorph: %s\n", qPrintable(result.message));
    return result.exitCode;
}

} // namespace
} // namespace vm

int main(int argc, char** argv)
{
    using namespace vm;
    // A write past the user's file size limit fails with its own error and is
    // reported, instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    const CommandLine options = parseCommandLine(arguments);
    // Export runs report a bad argument in one line, as converters do.
    const bool exportArguments = std::any_of(arguments.begin(), arguments.end(), [](const QString& argument) {
        return argument.startsWith(QLatin1String("--export")) || argument.startsWith(QLatin1String("--brand-pack"))
               || argument.startsWith(QLatin1String("--ideas"));
    });
    if (!options.ok() && exportArguments && !options.helpRequested) {
        std::fprintf(stderr, "vantamorph: %s\n", qPrintable(options.error));
        return CommandLine::usageExitCode;
    }
    if (!options.ok() || options.helpRequested) {
        const QString text = (options.ok() ? QString() : options.error + QLatin1Char('\n')) + commandLineUsage(arguments.value(0));
        std::fputs(qPrintable(text), options.ok() ? stdout : stderr);
        return options.ok() ? 0 : CommandLine::usageExitCode;
    }
    if (options.exporting())
        return runExportCommand(argc, argv, options);
    if (options.makingIdeas())
        return runIdeasCommand(argc, argv, options);
    // A scripted session needs no screen.
    if (options.scripted())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantamorph"));
    // Desktops match the windows to the installed entry (its icon, its name).
    QGuiApplication::setDesktopFileName(QStringLiteral("vantamorph"));
    // Windows come and go during start-up (the splash); only the host ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    return options.scripted() ? runScript(app, options) : runWithScreen(app, options);
}
