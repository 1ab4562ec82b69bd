// Vantamorph: wires the platform services, the canvas players and the host
// together, for a normal run with a screen or for a scripted session.
#include "app/scripting/command_line.h"
#include "app/scripting/script_session.h"
#include "app/wiring/subsystem_seams.h"
#include "brandpack/brand_pack_flow.h"
#include "canvas/player/startup_canvas.h"
#include "canvas/bitmap/bitmap_canvas.h"
#include "canvas/reference/reference_canvas.h"
#include "platform/api/print_services.h"
#include "export/export_run.h"
#include "platform/linux/desktop_shell_opener.h"
#include "platform/linux/immediate_process_control.h"
#include "platform/linux/linux_network_info.h"
#include "platform/linux/linux_os_facts.h"
#include "platform/linux/linux_rights.h"
#include "platform/linux/local_desktop_channel.h"
#include "platform/linux/qt_system_dialogs.h"
#include "platform/print_views/qt_modal_window_view.h"
#include "platform/printing/file_spooler.h"
#include "platform/printing/system_page_printer.h"
#include "platform/scripted/answer_queue.h"
#include "platform/scripted/script_parser.h"
#include "platform/scripted/script_transcript.h"
#include "platform/scripted/scripted_form_presenter.h"
#include "platform/scripted/scripted_shell_opener.h"
#include "platform/scripted/scripted_system_dialogs.h"
#include "platform/scripted/transcript_process_control.h"
#include "platform/scripted/transcript_process_runner.h"
#include "platform/system/freetype_installed_fonts.h"
#include "platform/system/linux_os_version.h"
#include "platform/system/linux_process_runner.h"
#include "platform/system/linux_system_locale.h"
#include "project/project_flows.h"
#include "publish/convert_commands.h"
#include "publish/publishing.h"
#include "publish/views/save_logo_view.h"
#include "recovery/recovery.h"
#include "artwork/clipart_and_pictures.h"
#include "artwork/raster_policy.h"
#include "fonts/user_fonts.h"
#include "shell/host.h"
#include "shell/views/host_views.h"
#include "shell/views/qt_form_presenter.h"
#include "templates/template_mode.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>
#include <memory>
#include <optional>
#include <csignal>
#include <cstdio>

namespace vm {
namespace {

const QString canvasControl = QStringLiteral("skwFlash");
const QString bitmapControl = QStringLiteral("ShockwaveFlash1");

void reportSpoolerProblem(const QString& problem)
{
    std::fprintf(stderr, "vantamorph: %s\n", qPrintable(problem));
}

// Tools start with a converter configuration of the program's own (config
// names the folder; empty when it could not be written).
QProcessEnvironment environmentWithConfig(const QString& config)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!config.isEmpty())
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    return environment;
}

// Only the converter (bin/convert) starts with the given configuration; every
// other tool (the printer helper, for one) with the user's.
void giveConverterItsConfiguration(LinuxProcessRunner& processes, const QString& programFolder, const QString& config)
{
    if (config.isEmpty())
        return;
    processes.setProgramEnvironment(splitCommandLine(convert_commands::converter(programFolder)).value(0),
                                    environmentWithConfig(config));
}

// The face names of this machine's fonts, kept between runs.
QString fontNameCacheFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/font-names.cache");
}

// The picture crop's converter reads raster pictures only.
QString rasterConverterConfig(const QString& programFolder)
{
    return raster_policy::prepare(raster_policy::folder(programFolder));
}

int runWithScreen(QApplication& app, const CommandLine& options)
{
    Trace noTranscript;
    LocalDesktopChannel desktop(options.desktopName);
    WindowRegistry windows(&desktop);
    QtFormPresenter forms(windows);
    QtSystemDialogs dialogs;
    LinuxOsFacts os;
    // The print-to-file printer goes into the user's own printer store.
    const QString printerStore = FileSpooler::defaultFolder();
    LinuxRights rights(printerStore);
    DesktopShellOpener shell;
    LinuxNetworkInfo network;
    ImmediateProcessControl process;
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, noTranscript};

    const QString programFolder = QCoreApplication::applicationDirPath();
    LinuxProcessRunner processes;
    giveConverterItsConfiguration(processes, programFolder, Publishing::prepareConverterConfig(programFolder));
    FileSpooler spooler(printerStore, reportSpoolerProblem);
    LinuxSystemLocale locale;
    LinuxOsVersion osVersion;
    PrintServices printing{processes, spooler, locale, osVersion};
    QtModalWindowView printWindows(spooler);
    SystemPagePrinter pagePrinter(windows, spooler, locale, &printWindows);
    ReferenceCanvas canvas(canvasControl, noTranscript, &pagePrinter);
    BitmapCanvas bitmap(bitmapControl, noTranscript, canvas);
    canvas.setBitmapCanvas(&bitmap);
    Host host(platform, canvas, bitmap, programFolder);
    const SubsystemSeams seams(host);
    ProjectFlows projects(seams.project());
    TemplateMode templates(seams.templates(), projects);
    Publishing publishing(seams.publish(), printing);
    const CurrentLogo currentLogo = [&canvas] { return CanvasLogo{&canvas.currentLogo(), &canvas.logoRenderer()}; };
    publishing.dialog().direct().setCurrentLogo(currentLogo);
    BrandPackFlow brandPack(seams.brandPack(), currentLogo);
    LinuxProcessRunner rasterConverter;
    giveConverterItsConfiguration(rasterConverter, programFolder, rasterConverterConfig(programFolder));
    ClipArtAndPictures resources(seams.artwork(), rasterConverter);
    FreeTypeInstalledFonts installedFonts;
    UserFonts userFonts(seams.fonts(), installedFonts, processes, fontNameCacheFile());
    registerHostViews(forms, host, canvas.view());
    registerPublishView(forms);
    // A launch measurement ends at once: it has nothing to autosave or restore.
    std::optional<Recovery> recovery;
    if (options.quitWhenReady)
        host.lifeCycle.on(LifeCycle::ready, [&] { QTimer::singleShot(0, [&] { host.endProgram(); }); });
    else
        recovery.emplace(seams.recovery(), RecoverySettings::fromEnvironment(QProcessEnvironment::systemEnvironment()));
    host.start();
    app.exec();
    // The program ends only through the host; the views must not outlive it.
    host.endProgram();
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
    AnswerQueue answers;
    LocalDesktopChannel desktop(options.desktopName);
    WindowRegistry windows(&desktop);
    ScriptedFormPresenter forms(windows, transcript, answers);
    ScriptedSystemDialogs dialogs(transcript, answers);
    LinuxOsFacts os;
    // The print-to-file printer goes into the user's own printer store.
    const QString printerStore = FileSpooler::defaultFolder();
    LinuxRights rights(printerStore);
    ScriptedShellOpener shell(transcript);
    LinuxNetworkInfo network;
    TranscriptProcessControl process(transcript);
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, transcript};

    // The scripted canvas by default; the real editing and bitmap canvases on request,
    // printing through the print windows without a screen (the automation answers them).
    const QString programFolder = QCoreApplication::applicationDirPath();
    LinuxProcessRunner realProcesses;
    giveConverterItsConfiguration(realProcesses, programFolder, Publishing::prepareConverterConfig(programFolder));
    TranscriptProcessRunner processes(realProcesses, transcript);
    FileSpooler spooler(printerStore, reportSpoolerProblem);
    LinuxSystemLocale locale;
    LinuxOsVersion osVersion;
    PrintServices printing{processes, spooler, locale, osVersion};
    SystemPagePrinter pagePrinter(windows, spooler, locale, nullptr, &transcript);
    std::unique_ptr<MoviePlayer> canvas;
    std::unique_ptr<MoviePlayer> bitmap;
    ReferenceCanvas* reference = nullptr;
    if (options.referenceCanvas) {
        auto editing = std::make_unique<ReferenceCanvas>(canvasControl, transcript, &pagePrinter);
        reference = editing.get();
        auto drawing = std::make_unique<BitmapCanvas>(bitmapControl, transcript, *editing);
        editing->setBitmapCanvas(drawing.get());
        canvas = std::move(editing);
        bitmap = std::move(drawing);
    } else {
        canvas = std::make_unique<StartupCanvas>(canvasControl, transcript);
        bitmap = std::make_unique<MoviePlayer>(bitmapControl, transcript);
    }
    Host host(platform, *canvas, *bitmap, programFolder);
    ScriptSession session(host, *canvas, *bitmap, answers, transcript, *statements);
    const SubsystemSeams seams(host);
    ProjectFlows projects(seams.project());
    TemplateMode templates(seams.templates(), projects);
    Publishing publishing(seams.publish(), printing);
    Recovery recovery(seams.recovery(), RecoverySettings::fromEnvironment(QProcessEnvironment::systemEnvironment()));
    // Only the real canvas has a logo to pack; the scripted one says there is none.
    const CurrentLogo currentLogo = [editing = dynamic_cast<ReferenceCanvas*>(canvas.get())] {
        return editing ? CanvasLogo{&editing->currentLogo(), &editing->logoRenderer()} : CanvasLogo();
    };
    publishing.dialog().direct().setCurrentLogo(currentLogo);
    BrandPackFlow brandPack(seams.brandPack(), currentLogo);
    LinuxProcessRunner realRasterConverter;
    giveConverterItsConfiguration(realRasterConverter, programFolder, rasterConverterConfig(programFolder));
    TranscriptProcessRunner rasterConverter(realRasterConverter, transcript);
    ClipArtAndPictures resources(seams.artwork(), rasterConverter);
    FreeTypeInstalledFonts installedFonts;
    UserFonts userFonts(seams.fonts(), installedFonts, processes, fontNameCacheFile());
    // A session's transcript shows the font list in the same place on every run.
    userFonts.scan.waitAtMainWindowLoad = true;
    if (reference)
        session.setGalleryHandler([reference](const QString& category, const QString& name) {
            if (!reference->galleryOpen())
                return QStringLiteral("not open");
            if (category.isEmpty() && name.isEmpty()) {
                reference->leaveTemplates();
                return QString();
            }
            return reference->pickTemplate(category, name) ? QString() : QStringLiteral("no such template");
        });
    host.start();
    session.start();
    app.exec();
    host.endProgram();
    return 0;
}

// An export run draws with the screen's renderer but opens no window: it needs
// only a GUI application on the offscreen platform, never a display.
int runExportCommand(int& argc, char** argv, const CommandLine& options)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // stderr carries one line about the run; Qt's own notes (a missing runtime folder, fonts) stay out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "vantamorph: %s\n", qPrintable(message));
    });
    QGuiApplication app(argc, argv);
    ExportRun run;
    run.brandPack = !options.brandPackProject.isEmpty();
    run.project = run.brandPack ? options.brandPackProject : options.exportProject;
    run.out = options.outPath;
    run.options.width = options.width;
    run.options.height = options.height;
    run.options.transparent = options.transparent;
    if (!options.background.isEmpty())
        run.options.background = QColor(options.background);
    const ExportRunResult result = runExport(run, logo_export::resourcesFor(QCoreApplication::applicationDirPath()));
    for (const QString& warning : result.warnings)
        std::fprintf(stderr, "vantamorph: %s\n", qPrintable(warning));
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
        return argument.startsWith(QLatin1String("--export")) || argument.startsWith(QLatin1String("--brand-pack"));
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
    // A scripted session needs no screen.
    if (options.scripted())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantamorph"));
    // Windows come and go during start-up (the splash); only the host ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    return options.scripted() ? runScript(app, options) : runWithScreen(app, options);
}
