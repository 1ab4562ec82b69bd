#pragma once

#include "fonts/font_import.h"
#include "fonts/user_font_scan.h"
#include "shell/host.h"

namespace vm {

// The installed TrueType fonts offered to the canvas and imported on its
// request, plugged into the start and the canvas command table.
struct UserFonts {
    UserFonts(Host& host, InstalledFonts& fonts, ProcessRunner& compiler, const QString& cacheFile)
        : scan(host, fonts, cacheFile), import(host, scan, compiler)
    {
        host.hooks.starting = [this] { scan.start(); };
        host.hooks.collectUserFonts = [this] { scan.SaveFontSwf(); };
    }

    UserFontScan scan;
    FontImport import;
};

} // namespace vm
