#include "templates/template_mode.h"

#include "project/project_flows.h"
#include "shell/menu_tree.h"

namespace vm {

TemplateMode::TemplateMode(const TemplateSeams& host, ProjectFlows& projects) : host_(host), projects_(projects)
{
    registerRoutes();
}

const QStringList& TemplateMode::lockedKeys()
{
    // The same items, in the same order, that mnuActivate unlocks.
    return activateGroup();
}

void TemplateMode::registerRoutes()
{
    host_.mainMenu.on(QStringLiteral("mnuNewTemplate"), [this] { mnuNewTemplate(); });
    host_.mainMenu.on(QStringLiteral("mnuFromTemplate"), [this] { mnuNewTemplate(); });
    host_.dispatcher.on(QStringLiteral("templatecall"), [this](const QString&) { CallFromTemplate(); });
}

void TemplateMode::enterTemplateMode()
{
    host_.toFlash(QStringLiteral("Open New Template"), QStringLiteral("True"));
    // A key the bar does not hold (mnuLanguage) is passed over by the menu bar itself.
    host_.mainMenu.setGroupEnabled(lockedKeys(), false);
    host_.mainForm.ShowTitleBar(false);
}

void TemplateMode::mnuNewTemplate()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuNewTemplate"), [&] {
        if (!host_.state.isDirty)
            enterTemplateMode();
        else
            SaveTemplate();
    });
}

void TemplateMode::SaveTemplate()
{
    host_.trap.run(QStringLiteral("frmMain\\SaveTemplate"), [&] {
        HostState& state = host_.state;
        const int answer = host_.messages.MessageBoxYNCancel(
            host_.language.GetControlCaptions(QStringLiteral("msgYNSaveLogoPrj")), &host_.mainForm);
        switch (answer) {
        case 1: {
            // The logo is saved and the gallery stays closed: the user asks again once it is on disk.
            QString target = state.currentProjectFile;
            projects_.mnuSave(target);
            if (state.saveRequested)
                state.isDirty = false;
            host_.mainMenu.mnuActivate();
            break;
        }
        case 0:
            state.isDirty = false;
            enterTemplateMode();
            break;
        default:
            host_.mainMenu.mnuActivate();
            break;
        }
    });
}

void TemplateMode::CallFromTemplate()
{
    host_.trap.run(QStringLiteral("frmMain\\CallFromTemplate"), [&] {
        host_.state.isDirty = false;
        host_.mainMenu.mnuActivate();
        host_.state.currentProjectFile = QStringLiteral("New");
        host_.toFlash(QStringLiteral("drawtemplate"), QStringLiteral("true"));
    });
}

} // namespace vm
