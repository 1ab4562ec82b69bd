#include "platform/scripted/transcript_process_runner.h"

#include "platform/api/trace.h"

#include <QDir>

namespace vm {

namespace {
QString truth(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

void TranscriptProcessRunner::write(const QString& commandLine, const QString& currentFolder, const QString& result)
{
    trace_.write(QStringLiteral("run ") + Trace::quote(commandLine) + QStringLiteral(" cwd=")
                 + Trace::quote(currentFolder) + QStringLiteral(" wait=1 -> ") + result);
}

bool TranscriptProcessRunner::runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs,
                                         int showState, int creationFlags)
{
    const bool started = runner_.runProcess(commandLine, currentFolder, timeoutMs, showState, creationFlags);
    write(commandLine, currentFolder, truth(started));
    return started;
}

int TranscriptProcessRunner::runForExitCode(const QString& commandLine)
{
    const int exitCode = runner_.runForExitCode(commandLine);
    write(commandLine, QDir::currentPath(), QString::number(exitCode));
    return exitCode;
}

int TranscriptProcessRunner::runForExitCodeIn(const QString& commandLine, const QString& currentFolder)
{
    const int exitCode = runner_.runForExitCodeIn(commandLine, currentFolder);
    write(commandLine, currentFolder, QString::number(exitCode));
    return exitCode;
}

} // namespace vm
