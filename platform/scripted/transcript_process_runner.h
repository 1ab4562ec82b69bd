#pragma once

#include "platform/api/process_runner.h"

namespace vm {

class Trace;

// Runs tools through another runner and writes each run to the transcript:
// run "COMMAND LINE" cwd="FOLDER" wait=0|1 -> RESULT
// RESULT is true/false for a run or a start, the exit code for a run that reads it.
class TranscriptProcessRunner : public ProcessRunner {
public:
    TranscriptProcessRunner(ProcessRunner& runner, Trace& trace) : runner_(runner), trace_(trace) {}

    bool runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs, int showState,
                    int creationFlags) override;
    bool startProcess(const QString& commandLine, const QString& currentFolder, int showState) override;
    int runForExitCode(const QString& commandLine) override;

private:
    void write(const QString& commandLine, const QString& currentFolder, bool wait, const QString& result);

    ProcessRunner& runner_;
    Trace& trace_;
};

} // namespace vm
