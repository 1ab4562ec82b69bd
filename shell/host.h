#pragma once

#include "bridge/bitmap_canvas_link.h"
#include "bridge/canvas_dispatcher.h"
#include "bridge/canvas_link.h"
#include "platform/api/platform.h"
#include "shell/host_state.h"
#include "shell/info_forms.h"
#include "shell/language.h"
#include "shell/life_cycle.h"
#include "shell/log/error_log.h"
#include "shell/log/error_trap.h"
#include "shell/main_form.h"
#include "shell/main_menu.h"
#include "shell/menu_items.h"
#include "shell/message_dialogs.h"
#include "shell/splash_form.h"
#include "shell/temp_folder.h"
#include "shell/web_links.h"

#include <functional>

namespace vm {

class PlayerControl;

// The program around the canvas: its state, its windows and the services its
// subsystems share. app/ makes one with the real platform, tests with fakes;
// subsystems never see it whole: app/ hands each one the parts it uses (its
// seams), through which it plugs its handlers into the menu routes, the
// canvas command table and the life cycle.
class Host {
public:
    // places: where the program writes; a portable program folder when not given.
    Host(Platform& platform, PlayerControl& canvas, PlayerControl& bitmapCanvas, const QString& programFolder,
         const UserPlaces& places = UserPlaces());

    // Shows the start-up window; its timer takes it from there.
    void start();
    // Ends the process at once.
    void endProgram();

    Platform& platform;
    HostState state;
    ErrorLog errorLog;
    ErrorTrap trap;
    Language language;
    MessageDialogs messages;
    MenuItems menuItems;
    // The canvases are reached only through their links and command tables.
    CanvasLink canvasLink;
    CanvasDispatcher dispatcher;
    BitmapCanvasLink bitmapCanvasLink;
    CanvasDispatcher bitmapDispatcher;
    TempFolder tempFolder;
    SavingForm savingForm;
    WaitForm waitForm;
    PictureForm aboutForm;
    PictureForm copyrightForm;
    WebLinks webLinks;
    MainForm mainForm;
    MainMenu mainMenu;
    SplashForm splashForm;

    // The moments subsystems take part in, and the questions they own.
    LifeCycle lifeCycle;

    bool toFlash(const QString& command, const QString& argument) { return canvasLink.toFlash(command, argument); }

private:
    void registerShellCommands();
    // Tells the user, once the menus are ready, which of their own places could not be made.
    void reportPlaceProblems();
};

} // namespace vm
