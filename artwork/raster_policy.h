#pragma once

#include <QString>

namespace vm {

// The converter's policy for cropping uploaded pictures. The publish policy
// lets the converter run PostScript through Ghostscript, and the converter
// chooses its reader by a file's content, not its name: a "photo.png" that
// holds PostScript would be executed by a crop. This policy allows raster
// pictures only, no delegates and no indirect file lists.
namespace raster_policy {

QString policyXml();

// The configuration folder for the crop's converter: <programFolder>/bin/config-raster.
QString folder(const QString& programFolder);

// Writes <folder>/ImageMagick/policy.xml (atomically, only when it changed) and
// returns folder, the value for the converter's XDG_CONFIG_HOME; empty on failure.
QString prepare(const QString& folder);

} // namespace raster_policy
} // namespace vm
