#pragma once

#include "bridge/canvas_dispatcher.h"
#include "bridge/canvas_link.h"
#include "platform/api/platform.h"
#include "shell/host_state.h"
#include "shell/info_forms.h"
#include "shell/language.h"
#include "shell/life_cycle.h"
#include "shell/log/error_trap.h"
#include "shell/main_window.h"
#include "shell/menu_items.h"
#include "shell/menu_routes.h"
#include "shell/message_dialogs.h"

#include <functional>

namespace vm {

// The parts of the host that the project flows and the recent files use:
// app/ builds it.
struct ProjectSeams {
    Platform& platform;
    HostState& state;
    ErrorTrap& trap;
    Language& language;
    MessageDialogs& messages;
    MainWindow& mainForm;
    MenuRoutes& mainMenu;
    MenuItems& menuItems;
    LifeCycle& lifeCycle;
    CanvasLink& canvasLink;
    CanvasDispatcher& dispatcher;
    SavingForm& savingForm;
    Form& splashForm;
    // Ends the program: the ending moment runs, then the process ends.
    std::function<void()> endProgram;

    bool toFlash(const QString& command, const QString& argument) const { return canvasLink.toFlash(command, argument); }
};

} // namespace vm
