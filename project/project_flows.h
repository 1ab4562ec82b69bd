#pragma once

#include "project/recent_files.h"

#include <QString>

namespace vm {

class Host;
struct FileDialogRequest;

// The project flows of the main window: New, Open, Save, Save As, the
// save-changes questions and the save round trip through the canvas. A save
// is asynchronous: the request goes to the canvas, and only its "show save"
// answer writes the file; whatever waits for the save is held in the host's
// flags and done by SaveIt.
class ProjectFlows {
public:
    static const QString projectFilter;

    explicit ProjectFlows(Host& host);

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
    void ShowOpenPrj();
    void closeQuestion();
    void exitQuestion();

    RecentFiles& recentFiles() { return recent_; }

private:
    void registerRoutes();
    FileDialogRequest saveDialog(const QString& title) const;
    QString caption(const QString& key);
    void showSaving();
    void closeSaving();
    void requestSave(const QString& path);
    // The save ended without a file: tell the user why. The old file and the
    // waiting flags stay as they were, and the logo counts as unsaved again
    // (a question may have cleared IsDirty when it asked for the save).
    void reportUnsaved(const QString& path, const QString& reason);

    Host& host_;
    RecentFiles recent_;
};

} // namespace vm
