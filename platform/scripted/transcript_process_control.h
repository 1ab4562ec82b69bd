#pragma once

#include "platform/api/system_services.h"

namespace vm {

class Trace;

// Ends a scripted session: the exit goes into the transcript, then the
// process ends at once, as the program's own exit does.
class TranscriptProcessControl : public ProcessControl {
public:
    explicit TranscriptProcessControl(Trace& trace) : trace_(trace) {}
    [[noreturn]] void endProcess(int exitCode) override;

private:
    Trace& trace_;
};

} // namespace vm
