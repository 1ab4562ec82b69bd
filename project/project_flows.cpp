#include "project/project_flows.h"

#include "protocol/field_separator.h"
#include "platform/api/run_time_error.h"
#include "platform/api/system_dialogs.h"
#include "project/project_file.h"

#include <QFileInfo>
#include <utility>

namespace vm {

namespace {
const QString newLogo = QStringLiteral("New");
} // namespace

const QString ProjectFlows::projectFilter = QStringLiteral("Vantamorph Logos (*.vmp)| *.vmp");

ProjectFlows::ProjectFlows(const ProjectSeams& host)
    : host_(host), recent_(host, *this), handOver_(host, [this](const QString& path) { openProject(path); })
{
    registerRoutes();
}

void ProjectFlows::registerRoutes()
{
    MenuRoutes& menu = host_.mainMenu;
    menu.on(QStringLiteral("mnuNewProject"), [this] { mnuNewProject(); });
    menu.on(QStringLiteral("mnuOpenProject"), [this] { mnuOpenProject(); });
    menu.on(QStringLiteral("mnuSave"), [this] { mnuSave(host_.state.currentProjectFile); });
    menu.on(QStringLiteral("mnuSaveAs"), [this] { mnuSaveAs(); });
    for (int index = 1; index <= 5; ++index)
        menu.on(QStringLiteral("mnuFile") + QString::number(index), [this, index] { recent_.mnuFile(index); });

    host_.dispatcher.on(QStringLiteral("show open"), [this](const QString&) { mnuOpenProject(); });
    host_.dispatcher.on(QStringLiteral("show save"), [this](const QString& argument) { SaveIt(argument); });
    host_.dispatcher.on(QStringLiteral("show new"), [this](const QString&) { mnuNewProject(); });
    host_.dispatcher.on(QStringLiteral("openrefused"), [this](const QString& argument) { openRefused(argument); });

    host_.lifeCycle.own(LifeCycle::closeQuestion, [this] { closeQuestion(); });
    host_.lifeCycle.own(LifeCycle::exitQuestion, [this] { exitQuestion(); });
    host_.lifeCycle.own(LifeCycle::fillRecentFiles, [this] { recent_.ReteriveFileHistory(); });
}

FileDialogRequest ProjectFlows::saveDialog(const QString& title) const
{
    FileDialogRequest request;
    request.title = title;
    request.filter = projectFilter;
    request.filterIndex = 1;
    request.overwritePrompt = true;
    request.pathMustExist = true;
    return request;
}

QString ProjectFlows::caption(const QString& key)
{
    return host_.language.GetControlCaptions(key);
}

void ProjectFlows::showSaving()
{
    host_.savingForm.load();
    host_.platform.forms.showModeless(host_.savingForm, &host_.mainForm);
}

void ProjectFlows::closeSaving()
{
    FormPresenter& forms = host_.platform.forms;
    if (forms.isLoaded(host_.savingForm))
        forms.unload(host_.savingForm);
}

void ProjectFlows::requestSave(const QString& path)
{
    host_.state.requestedSavePath = path;
    host_.toFlash(QStringLiteral("show save"), path);
    showSaving();
    host_.state.saveRequested = true;
}

void ProjectFlows::mnuSave(QString& target)
{
    host_.trap.run(QStringLiteral("frmMain\\mnuSave"), [&] {
        HostState& state = host_.state;
        const QString currentBefore = state.currentProjectFile;
        state.currentProjectFile = target;
        state.saveRequested = false;
        if (target != newLogo) {
            requestSave(target);
            return;
        }
        const QString chosen = host_.platform.dialogs.saveFile(saveDialog(QStringLiteral("Save Project")));
        if (chosen.isEmpty()) {
            state.saveNotCancelled = false;
            target = newLogo;
            state.currentProjectFile = newLogo;
            dropWaitingWork();
            closeSaving();
            return;
        }
        if (QFileInfo::exists(chosen)
            && !host_.messages.MessageBoxYN(caption(QStringLiteral("msgYNFileOverwrite")), &host_.mainForm)) {
            // A declined overwrite is a cancelled save: whatever waited for it does not happen.
            state.saveNotCancelled = false;
            state.currentProjectFile = currentBefore;
            target = currentBefore;
            dropWaitingWork();
            closeSaving();
            return;
        }
        requestSave(chosen);
        target = chosen;
        state.currentProjectFile = chosen;
    });
}

void ProjectFlows::mnuSaveAs()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuSaveAs"), [&] {
        HostState& state = host_.state;
        const QString chosen = host_.platform.dialogs.saveFile(saveDialog(QStringLiteral("Save Project as")));
        state.saveRequested = false;
        if (QFileInfo::exists(chosen)
            && !host_.messages.MessageBoxYN(caption(QStringLiteral("msgYNFileOverwrite")), &host_.mainForm))
            return;
        if (chosen.size() >= 2) {
            state.currentProjectFile = chosen;
            state.saveRequested = true;
            state.requestedSavePath = chosen;
            host_.toFlash(QStringLiteral("show save"), chosen);
            showSaving();
        }
    });
}

void ProjectFlows::dropWaitingWork()
{
    newAfterSave_ = false;
    host_.state.openAfterSave = false;
    host_.state.publishAfterSave = false;
}

void ProjectFlows::reportUnsaved(const QString& path, const QString& reason)
{
    host_.state.isDirty = true;
    // What waited for this save must not run at some later, unrelated save.
    dropWaitingWork();
    closeSaving();
    host_.messages.Alert(QStringLiteral("The logo could not be saved to \"%1\": %2. The file on disk was not changed.")
                             .arg(path, reason),
                         &host_.mainForm);
}

bool ProjectFlows::SaveIt(const QString& data)
{
    const QString label = QStringLiteral("frmMain\\SaveIt");
    return host_.trap.value(label, false, [&] {
        const qsizetype split = pathEnd(data);
        if (split < 0)
            throw RunTimeError(error_number::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        const QString path = data.left(split);
        // A view, not a copy: the logo may run to megabytes.
        const QStringView xml = QStringView(data).mid(split + 1);
        HostState& state = host_.state;
        if (path == newLogo) {
            QString target = newLogo;
            mnuSave(target);
            return false;
        }

        QByteArray bytes;
        project_file::Outcome outcome = project_file::encodeLogo(xml, bytes);
        if (!outcome.ok) {
            outcome.reason = QStringLiteral("the logo from the canvas is not valid XML (%1)").arg(outcome.reason);
        } else {
            outcome = project_file::writeAtomically(path, bytes);
        }
        if (!outcome.ok) {
            host_.trap.report(label, RunTimeError(outcome.errorNumber, outcome.reason));
            reportUnsaved(path, outcome.reason);
            return false;
        }

        recent_.UpdateHistory(path);
        closeSaving();
        state.isDirty = false;
        if (state.publishAfterSave) {
            host_.toFlash(QStringLiteral("is selection"), QStringLiteral("true"));
            state.publishAfterSave = false;
        }
        if (state.openAfterSave) {
            OpenLogoProject(QStringLiteral("result open"), state.pendingOpenPath, QString());
            state.openAfterSave = false;
        }
        if (std::exchange(newAfterSave_, false))
            ShowNew();
        return true;
    });
}

void ProjectFlows::OpenLogoProject(const QString& command, const QString& path, const QString& mode)
{
    host_.trap.run(QStringLiteral("frmMain\\OpenLogoProject"), [&] {
        HostState& state = host_.state;
        if (mode != newLogo) {
            beforeOpen_ = BeforeOpen{path, state.currentProjectFile, state.isDirty, recent_.snapshot()};
            host_.toFlash(command, path + fieldSeparator + QStringLiteral("null"));
            recent_.UpdateHistory(path);
            state.currentProjectFile = path;
            state.isDirty = false;
            FormPresenter& forms = host_.platform.forms;
            if (forms.isLoaded(host_.splashForm))
                forms.unload(host_.splashForm);
        } else {
            beforeOpen_.reset();
            host_.toFlash(command, path + fieldSeparator + newLogo);
            state.currentProjectFile = newLogo;
            state.isDirty = false;
        }
        closeSaving();
    });
}

void ProjectFlows::openRefused(const QString& argument)
{
    host_.trap.run(QStringLiteral("frmMain\\OpenLogoProject"), [&] {
        // The argument is the path the canvas was sent; the canvas tells the user why itself.
        if (!beforeOpen_ || beforeOpen_->path != argument)
            return;
        const BeforeOpen before = *std::exchange(beforeOpen_, std::nullopt);
        HostState& state = host_.state;
        state.currentProjectFile = before.currentProjectFile;
        state.isDirty = before.isDirty;
        recent_.restore(before.history);
    });
}

qsizetype ProjectFlows::pathEnd(const QString& data) const
{
    const HostState& state = host_.state;
    qsizetype end = -1;
    for (const QString& known : {state.requestedSavePath, state.currentProjectFile, newLogo})
        if (!known.isEmpty() && known.size() > end && data.startsWith(known + fieldSeparator))
            end = known.size();
    return end >= 0 ? end : data.indexOf(fieldSeparator);
}

void ProjectFlows::mnuNewProject()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuNewProject"), [&] {
        HostState& state = host_.state;
        state.saveNotCancelled = true;
        if (!state.isDirty) {
            ShowNew();
        } else {
            switch (host_.messages.MessageBoxYNCancel(caption(QStringLiteral("msgYNSaveLogoPrj")), &host_.mainForm)) {
            case 1: {
                QString target = state.currentProjectFile;
                newAfterSave_ = true;
                mnuSave(target);
                // ShowNew1 reads it: the notice and the second request follow.
                state.isDirty = true;
                if (state.saveNotCancelled)
                    ShowNew1();
                else
                    newAfterSave_ = false;
                break;
            }
            case 0:
                state.isDirty = false;
                ShowNew();
                break;
            default: break;
            }
        }
        host_.mainMenu.mnuActivate();
    });
}

void ProjectFlows::ShowNew()
{
    OpenLogoProject(QStringLiteral("show new"), newLogo, newLogo);
}

void ProjectFlows::ShowNew1()
{
    HostState& state = host_.state;
    if (state.isDirty && state.currentProjectFile != newLogo) {
        host_.messages.AlertOK(caption(QStringLiteral("lblSaveMsg")), &host_.mainForm);
        QString target = state.currentProjectFile;
        mnuSave(target);
    }
    // The new logo waits for the save's answer, as an open does: a failed save keeps the logo.
    if (!newAfterSave_)
        OpenLogoProject(QStringLiteral("show new"), newLogo, newLogo);
}

void ProjectFlows::mnuOpenProject()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuOpenProject"), [&] {
        HostState& state = host_.state;
        state.openAfterSave = false;
        state.saveNotCancelled = true;
        FileDialogRequest request;
        request.title = QStringLiteral("Select Logo Project");
        request.hideReadOnly = true;
        request.filter = projectFilter;
        const QString chosen = host_.platform.dialogs.openFile(request);
        if (chosen.size() < 2)
            return;
        openChosen(chosen);
    });
}

void ProjectFlows::openProject(const QString& path)
{
    host_.trap.run(QStringLiteral("frmMain\\mnuOpenProject"), [&] {
        HostState& state = host_.state;
        state.openAfterSave = false;
        state.saveNotCancelled = true;
        openChosen(path);
    });
}

void ProjectFlows::openChosen(const QString& chosen)
{
    HostState& state = host_.state;
    // A pipe, a folder or a device is refused here with its cause; the
    // canvas still says it of a file that is not there.
    if (const BoundedRead check = project_file::checkProject(chosen);
        !check.ok() && check.failure != ReadFailure::Missing) {
        host_.messages.Alert(project_file::cannotOpenMessage(check), &host_.mainForm);
        return;
    }
    state.pendingOpenPath = chosen;
    if (state.isDirty
        && host_.messages.MessageBoxYN(caption(QStringLiteral("msgYNSaveLogoPrj")), &host_.mainForm)) {
        state.openAfterSave = true;
        QString target = state.currentProjectFile;
        mnuSave(target);
        ShowOpenPrj();
        if (!state.saveNotCancelled) {
            // The save was cancelled: the open is abandoned, not done unsaved.
            state.openAfterSave = false;
            return;
        }
    }
    if (!state.openAfterSave)
        OpenLogoProject(QStringLiteral("result open"), state.pendingOpenPath, QString());
}

void ProjectFlows::ShowOpenPrj()
{
    if (host_.state.isDirty)
        host_.messages.AlertOK(caption(QStringLiteral("lblSaveMsg")), &host_.mainForm);
}

void ProjectFlows::closeQuestion()
{
    // This question has no log entry: a failure just leaves it.
    try {
        if (!host_.state.isDirty) {
            host_.endProgram();
            return;
        }
        using namespace message_box;
        switch (host_.platform.dialogs.messageBox(QStringLiteral("Do you want to save changes?"), QString(),
                                                  Buttons::YesNoCancel, Icon::Question)) {
        case Answer::Yes: mnuSave(host_.state.currentProjectFile); break;
        case Answer::No: host_.endProgram(); break;
        default: break;
        }
    } catch (...) {
    }
}

void ProjectFlows::exitQuestion()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuExit"), [&] {
        if (!host_.state.isDirty) {
            host_.endProgram();
            return;
        }
        switch (host_.messages.MessageBoxYNCancel(caption(QStringLiteral("msgYNCSaveChanges")), &host_.mainForm)) {
        case 1: mnuSave(host_.state.currentProjectFile); break;
        case 0: host_.endProgram(); break;
        default: break;
        }
    });
}

} // namespace vm
