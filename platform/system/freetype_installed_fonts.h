#pragma once

#include "platform/api/installed_fonts.h"

namespace vm {

// Installed fonts as fontconfig's folders and FreeType see them.
class FreeTypeInstalledFonts : public InstalledFonts {
public:
    FreeTypeInstalledFonts();
    ~FreeTypeInstalledFonts() override;
    FreeTypeInstalledFonts(const FreeTypeInstalledFonts&) = delete;
    FreeTypeInstalledFonts& operator=(const FreeTypeInstalledFonts&) = delete;

    // The user's own font folders, then the data folders' "fonts" (XDG_DATA_DIRS,
    // /usr/share/fonts, /usr/local/share/fonts), existing ones only, each once.
    QStringList systemFontFolders() override;
    QString faceName(const QString& path) override;

private:
    struct Library;
    Library* library_;
};

} // namespace vm
