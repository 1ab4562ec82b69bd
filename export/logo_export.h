#pragma once

#include "canvas/logo/logo_renderer.h"
#include "export/export_format.h"
#include "platform/api/atomic_file.h"
#include "platform/api/user_places.h"

#include <QColor>

namespace vm {

// How one file is exported: a size (0: not given; aspect kept) and the background.
struct ExportOptions {
    int width = 0;
    int height = 0;
    bool transparent = false; // see-through where the stage is empty (PNG, GIF, TIFF, SVG, PDF)
    QColor background;        // invalid: the logo's own
    bool textToPath = false;  // SVG, PDF, EPS: every text as outlines, to look the same without its fonts
};

namespace logo_export {

// Where the program folder's logos find their symbols and pictures.
LogoResources resourcesFor(const QString& programFolder);
// The same for an install whose user files are kept in the user's places.
LogoResources resourcesFor(const UserPlaces& places);

// What is wrong with these options, in one line; empty when they are fine.
QString checkOptions(const LogoDocument& logo, const ExportOptions& options);
// The size of the picture (pixels) or page (points) the options give.
QSize outputSize(const LogoDocument& logo, const ExportOptions& options);
// The background the file is drawn on: invalid for none.
QColor backgroundFor(const LogoDocument& logo, ExportFormat format, const ExportOptions& options);

// Draws and writes one file, whole or not at all. Options must have passed checkOptions.
WriteOutcome write(const QString& path, ExportFormat format, const LogoDocument& logo, const LogoRenderer& renderer,
                   const ExportOptions& options);

} // namespace logo_export
} // namespace vm
