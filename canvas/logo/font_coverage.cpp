#include "canvas/logo/font_coverage.h"

#include "canvas/logo/shipped_fonts.h"

#include <QFont>
#include <QRawFont>
#include <QStringList>

namespace vm {

bool familyCovers(const QString& family, const QString& text)
{
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName().compare(family, Qt::CaseInsensitive) != 0)
        return false;
    for (const QChar letter : text)
        if (!letter.isSpace() && !letter.isSurrogate() && !raw.supportsCharacter(letter))
            return false;
    return true;
}

QString familyForText(const QString& text, const QString& preferred, bool serif)
{
    if (familyCovers(preferred, text))
        return preferred;
    // Families with Latin Extended-A (Polish), Greek and Cyrillic letters: shipped ones
    // first, which look designed beside the logo fonts, then the ones every machine has.
    static const QStringList sans = {QStringLiteral("Inter"), QStringLiteral("Linux Biolinum O"),
                                     QStringLiteral("DejaVu Sans")};
    static const QStringList serifs = {QStringLiteral("Vollkorn"), QStringLiteral("Linux Libertine O"),
                                       QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Sans")};
    for (const QString& family : serif ? serifs : sans)
        if (familyCovers(family, text))
            return family;
    return defaultTextFamily();
}

} // namespace vm
