#pragma once

#include "project/project_hand_over.h"
#include "project/project_seams.h"
#include "project/recent_files.h"

#include <QString>
#include <optional>

namespace vm {

struct FileDialogRequest;

// The project flows of the main window: New, Open, Save, Save As, the
// save-changes questions and the save round trip through the canvas. A save
// is asynchronous: the request goes to the canvas, and only its "show save"
// answer writes the file; whatever waits for the save is held in the host's
// flags and done by SaveIt.
class ProjectFlows {
public:
    static const QString projectFilter;

    explicit ProjectFlows(const ProjectSeams& host);

    // target is in/out: the chosen name, or "New" after a cancelled dialog.
    void mnuSave(QString& target);
    void mnuSaveAs();
    // The canvas's answer: path, "æ", logo XML. True when the file was written.
    bool SaveIt(const QString& data);
    void OpenLogoProject(const QString& command, const QString& path, const QString& mode);
    void mnuNewProject();
    void ShowNew();
    void ShowNew1();
    void mnuOpenProject();
    // Opens path as Open Project does after its dialog: the refusal of what
    // cannot be a project, the save question, the recent files.
    void openProject(const QString& path);
    void ShowOpenPrj();
    void closeQuestion();
    void exitQuestion();

    RecentFiles& recentFiles() { return recent_; }

    // The canvas could not open the file it was sent: everything goes back to
    // how it was before the open.
    void openRefused(const QString& argument);
    // Where the path of a "show save" answer ends: after a path the host
    // knows it asked for, so an "æ" inside the path does not cut it.
    qsizetype pathEnd(const QString& data) const;

private:
    void registerRoutes();
    void openChosen(const QString& chosen);
    FileDialogRequest saveDialog(const QString& title) const;
    QString caption(const QString& key);
    void showSaving();
    void closeSaving();
    void requestSave(const QString& path);
    // The save ended without a file: tell the user why. The old file stays as
    // it was, what waited for the save is dropped, and the logo counts as
    // unsaved again (a question may have cleared IsDirty when it asked to save).
    void reportUnsaved(const QString& path, const QString& reason);
    // Forgets the open or publish that waited for a save which did not happen.
    void dropWaitingWork();

    // The host's project state from before the last open, until the canvas
    // has had its say.
    struct BeforeOpen {
        QString path;
        QString currentProjectFile;
        bool isDirty = false;
        QByteArray history;
    };

    ProjectSeams host_;
    RecentFiles recent_;
    ProjectHandOver handOver_;
    std::optional<BeforeOpen> beforeOpen_;
    // New was answered Yes: the new logo follows the save's answer.
    bool newAfterSave_ = false;
};

} // namespace vm
