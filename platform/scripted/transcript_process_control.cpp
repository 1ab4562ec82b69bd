#include "platform/scripted/transcript_process_control.h"

#include "platform/api/trace.h"

#include <cstdio>
#include <cstdlib>

namespace vm {

void TranscriptProcessControl::endProcess(int exitCode)
{
    trace_.write(QStringLiteral("exit ") + QString::number(exitCode));
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace vm
