#pragma once

#include "bridge/canvas_dispatcher.h"
#include "bridge/canvas_link.h"
#include "platform/api/platform.h"
#include "shell/host_state.h"
#include "shell/life_cycle.h"
#include "shell/log/error_trap.h"
#include "shell/main_window.h"
#include "shell/menu_routes.h"
#include "shell/message_dialogs.h"

namespace vm {

// The parts of the host that the user fonts (their scan and import) use:
// app/ builds it.
struct FontSeams {
    Platform& platform;
    HostState& state;
    ErrorTrap& trap;
    MessageDialogs& messages;
    MainWindow& mainForm;
    MenuRoutes& mainMenu;
    LifeCycle& lifeCycle;
    CanvasLink& canvasLink;
    CanvasDispatcher& dispatcher;

    bool toFlash(const QString& command, const QString& argument) const { return canvasLink.toFlash(command, argument); }
};

} // namespace vm
