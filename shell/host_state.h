#pragma once

#include "platform/api/user_places.h"

#include <QString>

namespace vm {

// The run-long state of the program, owned by the host and passed to the
// subsystems that read or change it.
struct HostState {
    // Folders
    QString programFolder;  // the folder of the executable, no trailing separator
    QString installRoot;    // programFolder cut after its last separator
    UserPlaces places;      // where the program's own files are written (beside it, or the user's)
    QString tempRoot;       // parent of the work folder "tmpEPS"
    bool keepTempFolder = false;
    QString imageFolder;    // set by the canvas's crop request
    QString currentImageName; // the picture last uploaded or cropped, inside imageFolder

    // Project
    QString currentProjectFile = QStringLiteral("New");
    bool isDirty = false;
    bool saveRequested = false;
    bool saveNotCancelled = false;
    bool openAfterSave = false;
    QString pendingOpenPath;
    bool publishAfterSave = false;
    QString requestedSavePath; // the path of the last "show save" request, to split the answer after it
    // A project named on the command line: opened once the menus are ready, or
    // handed to a copy of the program that is already running.
    QString commandLineProject;

    // Publishing
    bool quickPublishing = false;
    QString publishTarget;  // the picture being published, for the bitmap canvas's answer

    // Fonts for the canvas
    bool fontListSent = false;
    QString userFontList;
    bool userFontListPending = false; // still being collected: "fontlist" waits for it
};

} // namespace vm
