#pragma once

#include "platform/api/platform.h"
#include "shell/host_state.h"
#include "shell/info_forms.h"
#include "shell/language.h"
#include "shell/log/error_trap.h"
#include "shell/message_dialogs.h"

namespace vm {

// The parts of the host that printing uses: app/ builds it.
struct PrintSeams {
    Platform& platform;
    HostState& state;
    ErrorTrap& trap;
    Language& language;
    MessageDialogs& messages;
    WaitForm& waitForm;
};

} // namespace vm
