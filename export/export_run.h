#pragma once

#include "canvas/logo/logo_renderer.h"
#include "export/logo_export.h"

#include <QString>

namespace vm {

// One export from the command line: a project to one file, or to a brand pack folder.
struct ExportRun {
    QString project;
    QString out;
    bool brandPack = false;
    ExportOptions options;
};

struct ExportRunResult {
    int exitCode = 0;
    QString message; // one line for stderr; empty on success
    // One line for stderr per picture or symbol drawn as a placeholder; the
    // file is still written (as the screen shows it) and the exit code stays 0.
    QStringList warnings;
};

// Checks everything first (the project, the target, the options), so a bad
// input creates or changes no file, then writes, and says what could not be drawn.
ExportRunResult runExport(const ExportRun& run, const LogoResources& resources);

} // namespace vm
