#include "canvas/wizard/wizard_logo.h"

#include "canvas/logo/logo_renderer.h"

namespace vm {

namespace {
struct Style {
    const char* name;
    const char* symbol;
    QColor symbolColor;
    QColor textColor;
    const char* font;
    bool bold;
    bool italic;
};

const Style styles[] = {
    {"Business", "ClipArts/Business/globe.svg", QColor(0x13, 0x79, 0xce), QColor(0x1f, 0x3a, 0x5f), "DejaVu Sans", true, false},
    {"Nature", "ClipArts/Nature/leaf.svg", QColor(0x3c, 0x9a, 0x3f), QColor(0x2e, 0x4d, 0x2f), "DejaVu Serif", false, true},
    {"Modern", "ClipArts/Abstract/swirl.svg", QColor(0xe6, 0x4a, 0x19), QColor(0x33, 0x33, 0x33), "DejaVu Sans", false, false},
    {"Classic", "ClipArts/Geometric/star.svg", QColor(0xc9, 0x9a, 0x06), QColor(0x22, 0x22, 0x22), "DejaVu Serif", true, false},
};

const Style& styleNamed(const QString& name)
{
    for (const Style& style : styles)
        if (name == QLatin1String(style.name))
            return style;
    return styles[0];
}

LogoElement text(const QString& content, const Style& style, double size, bool bold)
{
    LogoElement element;
    element.kind = ElementKind::Text;
    element.text = content;
    element.fontFamily = QString::fromLatin1(style.font);
    element.fontSize = size;
    element.bold = bold;
    element.italic = style.italic;
    element.color = style.textColor;
    element.size = LogoRenderer::naturalTextSize(element);
    // A long name is narrowed to the stage rather than cut off.
    element.size.setWidth(std::min(element.size.width(), 460.0));
    return element;
}
} // namespace

QStringList wizardStyles()
{
    QStringList names;
    for (const Style& style : styles)
        names.append(QString::fromLatin1(style.name));
    return names;
}

LogoDocument wizardLogo(const QString& company, const QString& slogan, const QString& styleName)
{
    const Style& style = styleNamed(styleName);
    LogoDocument logo;
    const double centre = logo.stageSize.width() / 2.0;

    LogoElement symbol;
    symbol.kind = ElementKind::Symbol;
    symbol.symbol = QString::fromLatin1(style.symbol);
    symbol.color = style.symbolColor;
    symbol.size = QSizeF(130, 130);
    symbol.position = QPointF(centre - 65, 40);
    logo.elements.push_back(symbol);

    LogoElement name = text(company.isEmpty() ? QStringLiteral("Your Company") : company, style, 48, style.bold);
    name.position = QPointF(centre - name.size.width() / 2, 190);
    logo.elements.push_back(name);

    if (!slogan.isEmpty()) {
        LogoElement line = text(slogan, style, 20, false);
        line.color = style.symbolColor;
        line.position = QPointF(centre - line.size.width() / 2, 200 + name.size.height());
        logo.elements.push_back(line);
    }
    return logo;
}

} // namespace vm
