#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The TrueType fonts installed on the machine: where they live and the face
// name each file carries.
class InstalledFonts {
public:
    virtual ~InstalledFonts() = default;
    // The folders searched, with their subfolders, when no Windows folder is
    // named (windir unset).
    virtual QStringList systemFontFolders() = 0;
    // The family name the font gives for the Windows platform, as the system's
    // font list shows it; "" when the file is no readable font. Called by one
    // thread at a time (the scan's).
    virtual QString faceName(const QString& path) = 0;
};

} // namespace vm
