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
};

// Checks everything first (the project, the target, the options), so a bad
// input creates or changes no file, then writes.
ExportRunResult runExport(const ExportRun& run, const LogoResources& resources);

} // namespace vm
