#pragma once

#include "fonts/font_catalogue.h"

namespace vm {

class InstalledFonts;

struct FontScanResult {
    FontCatalogue catalogue;
    int fontsOpened = 0; // files whose name had to be read: none when the cache knew them all
};

// Lists the installed TrueType files (names ending in "ttf", any case) and
// their face names. windowsFolder set: its "Fonts" folder alone, as Windows
// keeps them; unset: the system's font folders with their subfolders. Every
// file found is listed, however many. Names come from cacheFile when the
// file's size and time are unchanged; the cache is rewritten (whole or not at
// all) when anything changed, and an empty cacheFile means no cache. Touches
// no host state, so it may run on any thread.
FontScanResult scanInstalledFonts(const QString& windowsFolder, InstalledFonts& fonts, const QString& cacheFile);

} // namespace vm
