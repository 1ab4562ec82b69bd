#pragma once

#include "platform/api/process_runner.h"

namespace vm {

class Trace;

// Runs tools through another runner and writes each run to the transcript:
// run "COMMAND LINE" cwd="FOLDER" wait=1 -> RESULT
// RESULT is true/false for a run, the exit code for a run that reads it.
class TranscriptProcessRunner : public ProcessRunner {
public:
    TranscriptProcessRunner(ProcessRunner& runner, Trace& trace) : runner_(runner), trace_(trace) {}

    bool runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs, int showState,
                    int creationFlags) override;
    int runForExitCode(const QString& commandLine) override;
    int runForExitCodeIn(const QString& commandLine, const QString& currentFolder) override;

private:
    void write(const QString& commandLine, const QString& currentFolder, const QString& result);

    ProcessRunner& runner_;
    Trace& trace_;
};

} // namespace vm
