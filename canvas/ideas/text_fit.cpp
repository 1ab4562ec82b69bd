#include "canvas/ideas/text_fit.h"

#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/raw_font_glyphs.h"
#include "canvas/logo/text_layout.h"

#include <QFont>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace vm::ideas {

namespace {
// Spacing in the data is given for a font of this size.
constexpr double spacingReference = 48;
constexpr double measureSize = 100;

QString measureKey(const LogoElement& text)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(text.text, text.fontFamily)
        .arg(text.fontSize)
        .arg(int(text.bold))
        .arg(int(text.italic))
        .arg(text.letterSpacing)
        .arg(text.arcRadius)
        .arg(int(text.textCase))
        .arg(int(text.alignment));
}

QFont fontOf(const LogoElement& text)
{
    QFont font(text.fontFamily);
    font.setPixelSize(std::max(1, qRound(text.fontSize)));
    font.setBold(text.bold);
    font.setItalic(text.italic);
    return font;
}
} // namespace

LogoElement makeText(const QString& text, const TextStyle& style, const QColor& colour, double fontSize,
                     TextAlignment alignment)
{
    LogoElement element;
    element.kind = ElementKind::Text;
    element.text = text;
    element.fontFamily = style.family;
    element.bold = style.bold;
    element.italic = style.italic;
    element.textCase = style.upper ? TextCase::Upper : TextCase::AsTyped;
    element.alignment = alignment;
    element.color = colour;
    element.fontSize = std::max(1.0, std::round(fontSize));
    element.letterSpacing = readsLetterByLetter(text) ? style.spacing * element.fontSize / spacingReference : 0;
    element.size = measureText(element);
    return element;
}

bool readsLetterByLetter(const QString& text)
{
    for (const QChar letter : text) {
        switch (letter.script()) {
        case QChar::Script_Common:
        case QChar::Script_Inherited:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
        case QChar::Script_Armenian:
        case QChar::Script_Georgian:
        case QChar::Script_Unknown: // surrogate halves: emoji and the like
            break;
        default:
            return false;
        }
    }
    return true;
}

QSizeF measureText(const LogoElement& text)
{
    static QMutex mutex;
    static QHash<QString, QSizeF> sizes;
    const QString key = measureKey(text);
    {
        QMutexLocker lock(&mutex);
        if (const auto found = sizes.constFind(key); found != sizes.constEnd())
            return *found;
    }
    const QSizeF size = LogoRenderer::naturalTextSize(text);
    QMutexLocker lock(&mutex);
    sizes.insert(key, size);
    return size;
}

void setFontSize(LogoElement& text, double fontSize)
{
    const double rounded = std::max(1.0, std::round(fontSize));
    const double factor = rounded / text.fontSize;
    text.letterSpacing *= factor;
    text.arcRadius *= factor;
    text.fontSize = rounded;
    text.size = measureText(text);
}

void fitText(LogoElement& text, const QSizeF& room, double maxFontSize)
{
    setFontSize(text, measureSize);
    const QSizeF natural = text.size;
    const double scale = std::min(room.width() / natural.width(), room.height() / natural.height());
    double size = std::min(maxFontSize, std::floor(measureSize * scale));
    setFontSize(text, std::max(4.0, size));
    // Whole pixels and kerning may round up: shrink until it fits.
    while (text.fontSize > 4 && (text.size.width() > room.width() + 0.5 || text.size.height() > room.height() + 0.5))
        setFontSize(text, text.fontSize - 1);
}

QString onTwoLines(const QString& name)
{
    const QString text = name.simplified();
    qsizetype best = -1;
    qsizetype bestImbalance = text.size();
    for (qsizetype at = text.indexOf(QLatin1Char(' ')); at >= 0; at = text.indexOf(QLatin1Char(' '), at + 1)) {
        const qsizetype imbalance = std::abs((text.size() - at - 1) - at);
        if (imbalance < bestImbalance) {
            best = at;
            bestImbalance = imbalance;
        }
    }
    if (best < 0)
        return text;
    return text.left(best) + QLatin1Char('\n') + text.mid(best + 1);
}

QString initialsOf(const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    QString initials;
    for (const QString& word : name.split(separators, Qt::SkipEmptyParts)) {
        // A letter outside the basic plane takes two units: keep it whole.
        initials += word.at(0).isHighSurrogate() && word.size() > 1 ? word.left(2) : word.left(1);
        if (initials.size() >= 2 || (initials.size() == 1 && initials.at(0).isHighSurrogate()))
            break;
    }
    if (initials.isEmpty())
        initials = name.trimmed().left(1);
    return initials.toUpper();
}

QPointF arcCentre(const LogoElement& text)
{
    const RawFontGlyphSource glyphs(fontOf(text));
    LogoElement straight = text;
    straight.arcRadius = 0;
    const TextLayout flat = layoutText(straight, glyphs);
    const TextLayout bent = layoutText(text, glyphs);
    // The circle's centre is below the first baseline's middle by the radius.
    const double lineWidth = flat.size.width() + flat.topLeft.x();
    const QPointF centre(lineWidth / 2, glyphs.ascent() + text.arcRadius);
    return centre - bent.topLeft;
}

} // namespace vm::ideas
