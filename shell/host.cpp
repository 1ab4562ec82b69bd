#include "shell/host.h"

#include "protocol/canvas_commands.h"
#include "protocol/player_control.h"
#include "platform/api/path_style.h"
#include "platform/api/run_time_error.h"
#include "shell/menu_tree.h"

#include <memory>
#include <utility>

namespace vm {

namespace {
QString imagePath(const QString& programFolder, const QString& file)
{
    return programFolder + path_style::separator + QStringLiteral("Images") + path_style::separator + file;
}

UserPlaces placesFor(const QString& programFolder, const UserPlaces& given)
{
    return given.programFolder().isEmpty() ? UserPlaces(programFolder, true) : given;
}
} // namespace

Host::Host(Platform& platform_, PlayerControl& canvas_, PlayerControl& bitmapCanvas_, const QString& programFolder,
           const UserPlaces& places)
    : platform(platform_),
      errorLog(placesFor(programFolder, places).logFolder(), platform_.trace), trap(errorLog),
      language(programFolder, trap, platform_.dialogs), messages(platform_.forms, language, trap, state),
      canvasLink(canvas_, trap, platform_.trace), dispatcher(trap), bitmapCanvasLink(bitmapCanvas_),
      bitmapDispatcher(trap, QStringLiteral("frmMain\\ShockwaveFlash1"), canvas_commands::bitmap()),
      tempFolder(state, platform_.os, platform_.rights, trap), savingForm(language),
      aboutForm(QStringLiteral("frmAbout"), imagePath(programFolder, QStringLiteral("ABOUT_LOGO.gif")),
                QStringLiteral("About Vantamorph")),
      copyrightForm(QStringLiteral("frmCopyright"), imagePath(programFolder, QStringLiteral("COPYRIGHT.gif")),
                    QStringLiteral("Copyright Information")),
      webLinks(programFolder, path_style::parentWithSeparator(programFolder), platform_.shell, platform_.network,
               messages, trap),
      mainForm(*this), mainMenu(*this), splashForm(*this)
{
    state.programFolder = programFolder;
    state.places = placesFor(programFolder, places);
    messages.setMainForm(&mainForm);
    menuItems.onClick([this](int id) { mainMenu.SmartMenu_Click(id); });
    canvas_.onCommand([this](const QString& command, const QString& argument) { dispatcher.receive(command, argument); });
    bitmapCanvas_.onCommand(
        [this](const QString& command, const QString& argument) { bitmapDispatcher.receive(command, argument); });
    registerShellCommands();
}

void Host::start()
{
    reportPlaceProblems();
    if (lifeCycle.has(LifeCycle::starting))
        trap.run(QStringLiteral("frmSplash\\Form_Initialize"), [this] { lifeCycle.raise(LifeCycle::starting); });
    platform.forms.showModeless(splashForm, nullptr);
}

void Host::endProgram()
{
    if (lifeCycle.has(LifeCycle::ending))
        trap.run(QStringLiteral("frmMain\\EndProgram"), [this] { lifeCycle.raise(LifeCycle::ending); });
    // The work folder goes with the program, and only then: a close the user
    // cancelled leaves it for the publishes still to come.
    tempFolder.DeleteTempFolder();
    platform.process.endProcess(0);
}

void Host::reportPlaceProblems()
{
    const QStringList problems = state.places.problems();
    if (problems.isEmpty())
        return;
    auto told = std::make_shared<bool>(false);
    lifeCycle.on(LifeCycle::ready, [this, problems, told] {
        if (std::exchange(*told, true))
            return;
        for (const QString& problem : problems)
            trap.report(QStringLiteral("frmMain\\UserPlaces"), RunTimeError(error_number::PathFileAccessError, problem));
        messages.Alert(QStringLiteral("Vantamorph cannot keep your files where it should:\n") + problems.join(QLatin1Char('\n')),
                       &mainForm);
    });
}

void Host::registerShellCommands()
{
    const auto isTrue = [](const QString& argument) { return argument == QLatin1String("true"); };
    const auto isFalse = [](const QString& argument) { return argument == QLatin1String("false"); };

    dispatcher.on(QStringLiteral("datatosave"), [this, isTrue, isFalse](const QString& argument) {
        if (isTrue(argument))
            state.isDirty = true;
        else if (isFalse(argument))
            state.isDirty = false;
    });
    dispatcher.on(QStringLiteral("wizard finish"), [this](const QString& argument) {
        mainMenu.setGroupEnabled(editingGroup(), true);
        state.currentProjectFile = QStringLiteral("New");
        if (argument == QLatin1String("publish")) {
            state.publishAfterSave = true;
            mainMenu.route(QStringLiteral("mnuSave"));
        }
    });
    dispatcher.on(QStringLiteral("isloaded"), [this](const QString&) {
        mainForm.setEnabled(true);
        state.currentProjectFile = QStringLiteral("New");
    });
    dispatcher.on(QStringLiteral("istextedit"), [this, isTrue, isFalse](const QString& argument) {
        if (isTrue(argument))
            mainMenu.setGroupEnabled(editingGroup(), false);
        else if (isFalse(argument))
            mainMenu.setGroupEnabled(editingGroup(), true);
    });
    dispatcher.on(QStringLiteral("show alerto"),
                  [this](const QString& argument) { messages.Alert(argument, &mainForm); });
    dispatcher.on(QStringLiteral("quick help"), [this](const QString& argument) { mainMenu.setQuickHelpState(argument); });
    dispatcher.on(QStringLiteral("topmenuendisable"),
                  [this](const QString& argument) { mainMenu.setQuickHelpState(argument); });
    dispatcher.on(QStringLiteral("fmloaded"), [this](const QString&) {
        // A second announcement rebuilds the bar instead of adding another.
        mainMenu.rebuild();
        lifeCycle.ask(LifeCycle::fillRecentFiles);
    });
    dispatcher.on(QStringLiteral("fmactivemenu"), [this](const QString&) {
        mainMenu.mnuActivate();
        lifeCycle.raise(LifeCycle::ready);
    });
    dispatcher.on(QStringLiteral("exit"), [this](const QString&) { endProgram(); });
}

} // namespace vm
