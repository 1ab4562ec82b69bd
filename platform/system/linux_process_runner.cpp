#include "platform/system/linux_process_runner.h"

#include <QDir>
#include <QProcess>

namespace vm {

LinuxProcessRunner::~LinuxProcessRunner()
{
    // Tools still running outlive the program, as a started process would.
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect();
        process->setParent(nullptr); // leaked on purpose: deleting it would kill the tool
    }
}

namespace {
// One spelling per file: absolute, without "." or doubled separators.
QString cleanProgramPath(const QString& program, const QString& folder)
{
    return QDir::cleanPath(QDir(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath(program));
}
} // namespace

void LinuxProcessRunner::setProgramEnvironment(const QString& programPath, const QProcessEnvironment& environment)
{
    programEnvironments_.insert(cleanProgramPath(programPath, QString()), environment);
}

QProcessEnvironment LinuxProcessRunner::environmentFor(const QString& program, const QString& currentFolder) const
{
    // A bare name is looked up on the PATH: it is never one of ours.
    if (program.contains(QLatin1Char('/'))) {
        const auto found = programEnvironments_.constFind(cleanProgramPath(program, currentFolder));
        if (found != programEnvironments_.cend())
            return *found;
    }
    return QProcessEnvironment::systemEnvironment();
}

QProcess* LinuxProcessRunner::start(const QString& commandLine, const QString& currentFolder)
{
    QStringList arguments = splitCommandLine(commandLine);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return nullptr;
    auto* process = new QProcess(this);
    process->setProgram(arguments.takeFirst());
    process->setArguments(arguments);
    process->setProcessEnvironment(environmentFor(process->program(), currentFolder));
    if (!currentFolder.isEmpty())
        process->setWorkingDirectory(currentFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    // Tools that talk a lot must not fill a pipe nobody reads.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        return nullptr;
    }
    return process;
}

void LinuxProcessRunner::leaveRunning(QProcess* process)
{
    if (process->state() == QProcess::NotRunning) {
        delete process;
        return;
    }
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
}

bool LinuxProcessRunner::runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs, int,
                                    int)
{
    QProcess* process = start(commandLine, currentFolder);
    if (!process)
        return false;
    process->waitForFinished(timeoutMs < 0 ? -1 : timeoutMs);
    leaveRunning(process);
    return true;
}

int LinuxProcessRunner::runForExitCode(const QString& commandLine)
{
    return runForExitCodeIn(commandLine, QDir::currentPath());
}

int LinuxProcessRunner::runForExitCodeIn(const QString& commandLine, const QString& currentFolder)
{
    QProcess* process = start(commandLine, currentFolder);
    if (!process)
        return -1;
    process->waitForFinished(-1);
    const int exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    delete process;
    return exitCode;
}

} // namespace vm
