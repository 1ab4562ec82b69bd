#pragma once

#include "bridge/bitmap_canvas_link.h"
#include "bridge/canvas_dispatcher.h"
#include "bridge/canvas_link.h"
#include "print/print_seams.h"
#include "shell/life_cycle.h"
#include "shell/log/error_log.h"
#include "shell/main_window.h"
#include "shell/menu_routes.h"
#include "shell/temp_folder.h"

namespace vm {

// The parts of the host that publishing uses: app/ builds it.
struct PublishSeams {
    Platform& platform;
    HostState& state;
    ErrorTrap& trap;
    ErrorLog& errorLog;
    Language& language;
    MessageDialogs& messages;
    MainWindow& mainForm;
    MenuRoutes& mainMenu;
    LifeCycle& lifeCycle;
    CanvasLink& canvasLink;
    CanvasDispatcher& dispatcher;
    BitmapCanvasLink& bitmapCanvas;
    CanvasDispatcher& bitmapDispatcher;
    WaitForm& waitForm;
    TempFolder& tempFolder;

    bool toFlash(const QString& command, const QString& argument) const { return canvasLink.toFlash(command, argument); }
    PrintSeams print() const { return {platform, state, trap, language, messages, waitForm}; }
};

} // namespace vm
