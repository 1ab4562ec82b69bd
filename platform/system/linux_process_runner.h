#pragma once

#include "platform/api/process_runner.h"

#include <QObject>
#include <QProcessEnvironment>

class QProcess;

namespace vm {

// Runs the first argument of the split command line as the program, with the
// rest as its arguments, through QProcess: no shell ever sees them.
class LinuxProcessRunner : public QObject, public ProcessRunner {
    Q_OBJECT
public:
    ~LinuxProcessRunner() override;

    // The environment every tool starts with (the system's when never set):
    // the converter, for one, reads its policy from the program's own folder.
    void setEnvironment(const QProcessEnvironment& environment) { environment_ = environment; }

    bool runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs, int showState,
                    int creationFlags) override;
    int runForExitCode(const QString& commandLine) override;

private:
    // A started process, or null when the command line names nothing that runs.
    QProcess* start(const QString& commandLine, const QString& currentFolder);
    // A process whose wait ended before it did keeps running; it is reaped when it ends.
    void leaveRunning(QProcess* process);

    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
};

} // namespace vm
