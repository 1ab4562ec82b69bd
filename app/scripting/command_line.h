#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// What the program was started with:
//   vantamorph [--script FILE [--transcript OUT] [--canvas KIND]] [--desktop NAME] [--quit-when-ready]
struct CommandLine {
    static constexpr int usageExitCode = 2;

    QString scriptPath;     // empty: a normal run with a screen
    QString transcriptPath; // empty: the transcript goes to stdout
    QString desktopName;    // whose windows this copy sees as "other copies"
    bool referenceCanvas = false; // scripted: the real editing and bitmap canvases instead of the scripted one
    bool helpRequested = false;
    bool quitWhenReady = false; // end once the menus are ready
    QString error;          // set when the arguments make no sense

    bool ok() const { return error.isEmpty(); }
    bool scripted() const { return !scriptPath.isEmpty(); }
};

// arguments[0] is the program itself.
CommandLine parseCommandLine(const QStringList& arguments);
QString commandLineUsage(const QString& program);
// A desktop of its own for each scripted session, so sessions running side
// by side (and a user's own copy) never mistake each other for "already running".
QString uniqueDesktopName();

} // namespace vm
