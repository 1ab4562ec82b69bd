#pragma once

#include "canvas/logo/imported_fonts.h"
#include "canvas/logo/logo_renderer.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vm {

// The fonts a logo is drawn with below an install root, the same in every mode
// (the canvas, the command line's export and brand pack, scripted sessions):
// the files of root/fonts made known to this process, and the faces the user
// imported, read from their movies into imported and handed to the renderer.
// Call it again after an import; the shipped files are registered once.
// Returns the shipped families; log hears each imported face drawn in the fallback.
// userRoot: the user's folder laid over root (see LogoResources), empty for none.
QStringList useLogoFonts(const QString& root, ImportedFonts& imported, LogoRenderer& renderer,
                         const std::function<void(const QString& line)>& log, const QString& userRoot = QString());

} // namespace vm
