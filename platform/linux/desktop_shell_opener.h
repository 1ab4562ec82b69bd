#pragma once

#include "platform/api/system_services.h"

namespace vm {

// Hands web addresses and files to the desktop's chosen program. Only the
// "open" verb is known; other verbs and empty targets do nothing.
class DesktopShellOpener : public ShellOpener {
public:
    void open(const QString& verb, const QString& target, int showCommand) override;
};

} // namespace vm
