#pragma once

#include "platform/api/system_services.h"

namespace vm {

class Trace;

// A scripted session opens no browser: it writes what would have been opened.
class ScriptedShellOpener : public ShellOpener {
public:
    explicit ScriptedShellOpener(Trace& trace) : trace_(trace) {}
    void open(const QString& verb, const QString& target, int showCommand) override;

private:
    Trace& trace_;
};

} // namespace vm
