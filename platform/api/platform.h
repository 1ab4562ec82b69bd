#pragma once

#include "platform/api/form.h"
#include "platform/api/system_dialogs.h"
#include "platform/api/system_services.h"
#include "platform/api/trace.h"
#include "platform/api/window_registry.h"

namespace vm {

// Everything the host reaches of the user and the system, passed in by app/.
struct Platform {
    WindowRegistry& windows;
    FormPresenter& forms;
    SystemDialogs& dialogs;
    OsFacts& os;
    Rights& rights;
    ShellOpener& shell;
    NetworkInfo& network;
    ProcessControl& process;
    Trace& trace;
};

} // namespace vm
