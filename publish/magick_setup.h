#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// ImageMagick as the program uses it. The distribution's security policy
// refuses PostScript, which is exactly what printed logos are; the program
// grants its own converter runs the formats it needs without touching the
// system's configuration: a policy file in a configuration folder of its own
// (the converter process is started with XDG_CONFIG_HOME pointing there), and
// the same policy in process for the in-place conversions.
class MagickSetup {
public:
    // The policy text: read and write for the formats publishing produces.
    static QString policyXml();

    // Writes <folder>/ImageMagick/policy.xml (atomically) and returns folder,
    // the value for the converter's XDG_CONFIG_HOME; empty on failure.
    static QString prepareConfigFolder(const QString& folder);

    // The in-place convert operation ("convert" with these arguments) in this
    // process. Returns "" on success, else ImageMagick's own message.
    static QString convertInPlace(const QStringList& arguments);
};

} // namespace vm
