#pragma once

#include "bridge/canvas_dispatcher.h"
#include "bridge/canvas_link.h"
#include "shell/host_state.h"
#include "shell/life_cycle.h"
#include "shell/log/error_trap.h"
#include "shell/main_window.h"
#include "shell/message_dialogs.h"

namespace vm {

// The parts of the host that autosave and recovery use: app/ builds it.
struct RecoverySeams {
    HostState& state;
    ErrorTrap& trap;
    MessageDialogs& messages;
    MainWindow& mainForm;
    LifeCycle& lifeCycle;
    CanvasLink& canvasLink;
    CanvasDispatcher& dispatcher;

    bool toFlash(const QString& command, const QString& argument) const { return canvasLink.toFlash(command, argument); }
};

} // namespace vm
