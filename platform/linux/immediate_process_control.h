#pragma once

#include "platform/api/system_services.h"

#include <functional>

namespace vm {

// Ends the process on the spot, as the host's End statement does: no
// destructors, no atexit handlers, no buffered stdio. The flush hook is the
// one thing that still runs (for example, the scripted transcript).
class ImmediateProcessControl : public ProcessControl {
public:
    explicit ImmediateProcessControl(std::function<void()> flushHook = {}) : flushHook_(std::move(flushHook)) {}

    void setFlushHook(std::function<void()> flushHook) { flushHook_ = std::move(flushHook); }
    [[noreturn]] void endProcess(int exitCode) override;

private:
    std::function<void()> flushHook_;
};

} // namespace vm
