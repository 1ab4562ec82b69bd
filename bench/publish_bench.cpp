// A full publish (PNG quarter, JPG thumbnail, EPS) through the program, from
// the menu item to the finished file, against the bare converter command
// lines that publish runs, timed here in the same run (median of 5 rounds).
//
//   publish_bench build/dist
#include "bench/bench_support.h"
#include "canvas/bitmap/bitmap_canvas.h"
#include "canvas/reference/reference_canvas.h"
#include "platform/linux/immediate_process_control.h"
#include "platform/linux/linux_network_info.h"
#include "platform/linux/linux_os_facts.h"
#include "platform/linux/linux_rights.h"
#include "platform/printing/file_spooler.h"
#include "platform/printing/system_page_printer.h"
#include "platform/scripted/answer_queue.h"
#include "platform/scripted/scripted_form_presenter.h"
#include "platform/scripted/scripted_shell_opener.h"
#include "platform/scripted/scripted_system_dialogs.h"
#include "platform/system/linux_os_version.h"
#include "platform/system/linux_process_runner.h"
#include "platform/system/linux_system_locale.h"
#include "publish/publishing.h"
#include "app/wiring/subsystem_seams.h"
#include "shell/host.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace vm;

// Keeps the command lines the program runs, and runs them.
struct RecordingRunner : ProcessRunner {
    explicit RecordingRunner(LinuxProcessRunner& real) : real_(real) {}
    QList<QPair<QString, QString>> runs; // command line, folder
    bool runProcess(const QString& line, const QString& folder, int timeout, int show, int flags) override
    {
        runs.append({line, folder});
        return real_.runProcess(line, folder, timeout, show, flags);
    }
    int runForExitCode(const QString& line) override { return real_.runForExitCode(line); }
    LinuxProcessRunner& real_;
};

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isSymLink())
            QFile::link(it.fileInfo().symLinkTarget(), target);
        else if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}


} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: publish_bench PATH/TO/dist\n");
        return 2;
    }
    QTemporaryDir root;
    copyTree(QString::fromLocal8Bit(argv[1]), root.path());
    const QString programFolder = root.path() + QStringLiteral("/Vantamorph");
    const QString outFolder = root.path() + QStringLiteral("/out/");
    QDir().mkpath(outFolder);

    Trace quiet;
    AnswerQueue answers;
    WindowRegistry windows;
    ScriptedFormPresenter forms(windows, quiet, answers);
    ScriptedSystemDialogs dialogs(quiet, answers);
    LinuxOsFacts os;
    LinuxRights rights(root.path() + QStringLiteral("/spool"));
    ScriptedShellOpener shell(quiet);
    LinuxNetworkInfo network;
    ImmediateProcessControl process;
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, quiet};

    LinuxProcessRunner real;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Publishing::prepareConverterConfig(programFolder));
    real.setProgramEnvironment(programFolder + QStringLiteral("/bin/convert"), environment);
    RecordingRunner runner(real);
    FileSpooler spooler(root.path() + QStringLiteral("/spool"), {});
    spooler.addPrinter(QStringLiteral("Vantamorph"), printer_driver::printToFile, QStringLiteral("FILE:"));
    LinuxSystemLocale locale;
    LinuxOsVersion osVersion;
    PrintServices printing{runner, spooler, locale, osVersion};
    SystemPagePrinter pagePrinter(windows, spooler, locale, nullptr, &quiet);
    ReferenceCanvas canvas(QStringLiteral("skwFlash"), quiet, &pagePrinter);
    BitmapCanvas bitmap(QStringLiteral("ShockwaveFlash1"), quiet, canvas);
    canvas.setBitmapCanvas(&bitmap);
    Host host(platform, canvas, bitmap, programFolder);
    Publishing publishing(SubsystemSeams(host).publish(), printing);
    host.start();
    QElapsedTimer startClock;
    startClock.start();
    while (host.menuItems.FindItem(QStringLiteral("mnuProject")) == 0 && startClock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);

    const QList<QPair<QString, QString>> publishes = {
        {QStringLiteral("mnuPublishPNG25%"), QStringLiteral("quarter.png")},
        {QStringLiteral("mnuPublishJPGThumbnail"), QStringLiteral("thumb.jpg")},
        {QStringLiteral("mnuPublishEPS"), QStringLiteral("logo.eps")},
    };
    const int rounds = 5;
    std::vector<double> programTimes;
    std::vector<double> bareTimes;
    for (int round = 0; round < rounds; ++round) {
        runner.runs.clear();
        QElapsedTimer clock;
        clock.start();
        for (const auto& [key, file] : publishes) {
            answers.push(AnswerQueue::Kind::SaveFile, outFolder + file);
            QElapsedTimer one;
            one.start();
            host.mainMenu.route(key); // returns when the publish has finished
            if (round == 0)
                std::printf("%s: %.1f ms\n", qPrintable(key), double(one.nsecsElapsed()) / 1e6);
        }
        programTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
        for (const auto& [key, file] : publishes)
            if (!QFile::exists(outFolder + file)) {
                std::fprintf(stderr, "publish_bench: %s was not published\n", qPrintable(file));
                return 1;
            }
        const QList<QPair<QString, QString>> commands = runner.runs;
        clock.restart();
        for (const auto& [line, folder] : commands) {
            QElapsedTimer one;
            one.start();
            real.runProcess(line, folder, ProcessRunner::noTimeLimit, 0, 0);
            if (round == 0)
                std::printf("bare: %.1f ms\n", double(one.nsecsElapsed()) / 1e6);
        }
        bareTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (round == 0)
            for (const auto& [line, folder] : commands)
                std::printf("converter: %s\n", qPrintable(line));
    }
    const double program = vm::bench::median(programTimes);
    const double bare = vm::bench::median(bareTimes);
    std::printf("full publish (PNG 25%%, JPG thumbnail, EPS) through the program: median %.1f ms\n", program);
    std::printf("the same converter command lines run bare:                      median %.1f ms\n", bare);
    std::printf("ratio: %.2f x (goal: at most 1.30 x)\n", program / bare);
    std::fflush(stdout);
    host.endProgram();
    return 0;
}
