#pragma once

#include <QtGlobal>

namespace vm::file_limits {

// The largest file of each kind the program reads. No real file of its kind
// comes near its limit; a larger one is refused before it is read, so a hostile
// or broken file cannot fill the memory or hold the program up.
constexpr qint64 MiB = 1024 * 1024;

constexpr qint64 logoProject = 64 * MiB;     // a .vmp: the logo XML (a 1,000-element logo is about 300 KB)
constexpr qint64 recoveryLogo = logoProject; // an autosaved logo is a project
constexpr qint64 recoveryInfo = 64 * 1024;   // an autosave's record: a path and a few fields
constexpr qint64 recoveryLock = 4096;        // an autosave's lock: a process id
constexpr qint64 fontFile = 64 * MiB;        // a TrueType file (large CJK fonts are about 20 MB)
constexpr qint64 fontLicence = 1 * MiB;      // a font's licence text shipped with it (the OFL is 5 KB)
constexpr qint64 fontMovie = 32 * MiB;       // a compiled font movie (65535 large glyphs stay well below)
constexpr qint64 fontNameCache = 64 * MiB;   // the cached face names of the installed fonts
constexpr qint64 templateDesign = 8 * MiB;   // one template's logo XML
constexpr qint64 picture = 64 * MiB;         // a picture placed on a logo (PNG, JPEG, GIF, BMP)
constexpr qint64 symbol = 8 * MiB;           // a clip-art symbol (SVG)
constexpr qint64 xmlList = 64 * MiB;         // the clip-art catalogue, its lists, the font list, App.Config
constexpr qint64 script = 256 * MiB;         // a scripted session (its canvas commands may carry whole pictures)
constexpr qint64 language = 16 * MiB;        // a language file: a few hundred captions take a few KB

} // namespace vm::file_limits
