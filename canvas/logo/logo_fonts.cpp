#include "canvas/logo/logo_fonts.h"

#include "canvas/logo/shipped_fonts.h"

namespace vm {

QStringList useLogoFonts(const QString& root, ImportedFonts& imported, LogoRenderer& renderer,
                         const std::function<void(const QString& line)>& log, const QString& userRoot)
{
    const QStringList shipped = registerShippedFonts(root + QStringLiteral("/fonts"));
    imported.load(root, log, userRoot);
    // Texts laid out with the fonts loaded before are laid out again.
    renderer.setGlyphLookup(imported.lookup());
    return shipped;
}

} // namespace vm
