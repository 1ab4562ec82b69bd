#pragma once

#include "platform/api/process_runner.h"

#include <QHash>
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

    // The environment one program starts with, named by its path; every other
    // tool starts in the user's own. The converter, for one, reads its policy
    // from the program's folder, which no other tool must take for the user's.
    void setProgramEnvironment(const QString& programPath, const QProcessEnvironment& environment);

    bool runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs, int showState,
                    int creationFlags) override;
    int runForExitCode(const QString& commandLine) override;
    int runForExitCodeIn(const QString& commandLine, const QString& currentFolder) override;

private:
    // A started process, or null when the command line names nothing that runs.
    QProcess* start(const QString& commandLine, const QString& currentFolder);
    // A process whose wait ended before it did keeps running; it is reaped when it ends.
    void leaveRunning(QProcess* process);

    // The environment for the program the command line names.
    QProcessEnvironment environmentFor(const QString& program, const QString& currentFolder) const;

    QHash<QString, QProcessEnvironment> programEnvironments_; // by clean absolute path
};

} // namespace vm
