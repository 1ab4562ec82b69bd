#pragma once

#include "platform/api/print_services.h"
#include "platform/linux/linux_network_info.h"
#include "platform/linux/linux_os_facts.h"
#include "platform/linux/linux_rights.h"
#include "platform/printing/file_spooler.h"
#include "platform/system/linux_os_version.h"
#include "platform/system/linux_process_runner.h"
#include "platform/system/linux_system_locale.h"

namespace vm {

// The services of this machine that every run uses as they are; a scripted
// session records what goes through some of them, but never replaces them.
struct MachineServices {
    explicit MachineServices(const QString& programFolder);

    LinuxOsFacts os;
    LinuxRights rights;
    LinuxNetworkInfo network;
    FileSpooler spooler;
    LinuxSystemLocale locale;
    LinuxOsVersion osVersion;
    // Tools start through it; the converter with a configuration of our own.
    LinuxProcessRunner processes;
    // The picture crop's converter, whose configuration reads raster pictures only.
    LinuxProcessRunner rasterConverter;
};

} // namespace vm
