#pragma once

#include "platform/api/os_version.h"
#include "platform/api/process_runner.h"
#include "platform/api/spooler.h"
#include "platform/api/system_locale.h"

namespace vm {

// The system services the printing and publishing subsystems use, next to
// Platform; app/ makes them, tests pass fakes.
struct PrintServices {
    ProcessRunner& processes;
    Spooler& spooler;
    SystemLocale& locale;
    OsVersion& osVersion;
};

} // namespace vm
