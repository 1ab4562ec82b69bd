#pragma once

#include "fonts/font_import.h"
#include "fonts/font_seams.h"
#include "fonts/user_font_scan.h"

namespace vm {

// The installed TrueType fonts offered to the canvas and imported on its
// request, plugged into the start and the canvas command table.
struct UserFonts {
    UserFonts(const FontSeams& host, InstalledFonts& fonts, ProcessRunner& compiler, const QString& cacheFile)
        : scan(host, fonts, cacheFile), import(host, scan, compiler)
    {
        host.lifeCycle.on(LifeCycle::starting, [this] { scan.start(); });
        host.lifeCycle.on(LifeCycle::collectUserFonts, [this] { scan.SaveFontSwf(); });
    }

    UserFontScan scan;
    FontImport import;
};

} // namespace vm
