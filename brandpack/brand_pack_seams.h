#pragma once

#include "platform/api/platform.h"
#include "shell/language.h"
#include "shell/log/error_trap.h"
#include "shell/main_window.h"
#include "shell/menu_routes.h"

namespace vm {

// The parts of the host that the brand pack uses: app/ builds it.
struct BrandPackSeams {
    Platform& platform;
    ErrorTrap& trap;
    Language& language;
    MainWindow& mainForm;
    MenuRoutes& mainMenu;
};

} // namespace vm
