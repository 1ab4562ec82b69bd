#pragma once

#include "bridge/canvas_dispatcher.h"
#include "bridge/canvas_link.h"
#include "shell/host_state.h"
#include "shell/language.h"
#include "shell/log/error_trap.h"
#include "shell/main_window.h"
#include "shell/menu_routes.h"
#include "shell/message_dialogs.h"

namespace vm {

// The parts of the host that template mode uses: app/ builds it.
struct TemplateSeams {
    HostState& state;
    ErrorTrap& trap;
    Language& language;
    MessageDialogs& messages;
    MainWindow& mainForm;
    MenuRoutes& mainMenu;
    CanvasLink& canvasLink;
    CanvasDispatcher& dispatcher;

    bool toFlash(const QString& command, const QString& argument) const { return canvasLink.toFlash(command, argument); }
};

} // namespace vm
