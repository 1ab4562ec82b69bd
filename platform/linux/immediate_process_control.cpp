#include "platform/linux/immediate_process_control.h"

#include <cstdlib>

namespace vm {

void ImmediateProcessControl::endProcess(int exitCode)
{
    if (flushHook_) {
        try {
            flushHook_();
        } catch (...) {
            // Ending is what was asked for; a failed flush must not stop it.
        }
    }
    std::_Exit(exitCode);
}

} // namespace vm
