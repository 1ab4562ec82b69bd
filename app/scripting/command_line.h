#pragma once

#include "app/ideas/ideas_run.h"

#include <QString>
#include <QStringList>

namespace vm {

// What the program was started with:
//   vantamorph [--script FILE [--transcript OUT] [--canvas KIND]] [--desktop NAME] [--quit-when-ready] [PROJECT.vmp]
//   vantamorph --export LOGO.vmp --out FILE [--width N] [--height N] [--transparent] [--background COLOR]
//   vantamorph --brand-pack LOGO.vmp --out FOLDER
//   vantamorph --ideas NAME --out FOLDER [--tagline TEXT] [--keywords W,W] [--moods M,M] [--colour FAMILY]
//              [--count N] [--seed N]
struct CommandLine {
    static constexpr int usageExitCode = 2;

    QString scriptPath;     // empty: a normal run with a screen
    QString transcriptPath; // empty: the transcript goes to stdout
    QString desktopName;    // whose windows this copy sees as "other copies"
    QString projectPath;    // a project to open once the menus are ready (absolute); empty: none
    bool referenceCanvas = false; // scripted: the real editing and bitmap canvases instead of the scripted one
    bool helpRequested = false;
    bool quitWhenReady = false; // end once the menus are ready
    QString error;          // set when the arguments make no sense

    // An export run without a window: the project, and the file or folder written.
    QString exportProject;
    QString brandPackProject;
    QString outPath;
    int width = 0;  // 0: not given
    int height = 0;
    bool transparent = false;
    bool textToPath = false; // svg, pdf, eps: every text as outlines
    QString background; // a colour name, empty for the logo's own

    // Logo ideas without a window: the business name, what shapes the ideas, and --out.
    IdeasRun ideas;
    bool ideasGiven = false;

    bool ok() const { return error.isEmpty(); }
    bool scripted() const { return !scriptPath.isEmpty(); }
    bool exporting() const { return !exportProject.isEmpty() || !brandPackProject.isEmpty(); }
    bool makingIdeas() const { return ideasGiven; }
};

// arguments[0] is the program itself.
CommandLine parseCommandLine(const QStringList& arguments);
QString commandLineUsage(const QString& program);
// A desktop of its own for each scripted session, so sessions running side
// by side (and a user's own copy) never mistake each other for "already running".
QString uniqueDesktopName();

} // namespace vm
