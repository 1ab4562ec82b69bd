#include "export/logo_icon.h"

#include "canvas/logo/shipped_fonts.h"
#include "export/logo_pictures.h"

#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTransform>
#include <cmath>

namespace vm::logo_icon {

namespace {
constexpr double ruleAspect = 8;     // longer than this many times its width: a divider, not a mark
constexpr double artMargin = 0.15;   // of the art's longest side, room for strokes and shadows
constexpr double lightArt = 0.75;    // lighter than this on average: white would hide it

bool isTextOnly(const LogoElement& element)
{
    if (element.kind == ElementKind::Text)
        return true;
    if (element.kind != ElementKind::Group)
        return false;
    for (const LogoElement& child : element.children)
        if (!child.hidden && !isTextOnly(child))
            return false;
    return true;
}

bool isRule(const LogoElement& element)
{
    if (element.kind == ElementKind::Shape && element.shapeType == ShapeType::Line)
        return true;
    const double shorter = std::min(element.size.width(), element.size.height());
    const double longer = std::max(element.size.width(), element.size.height());
    return shorter * ruleAspect < longer;
}

// The element's box on the stage, turned with it.
QRectF stageBounds(const LogoElement& element)
{
    const QRectF box = element.box();
    if (element.rotation == 0)
        return box;
    QTransform turn;
    turn.translate(box.center().x(), box.center().y());
    turn.rotate(element.rotation);
    turn.translate(-box.center().x(), -box.center().y());
    return turn.mapRect(box);
}

const LogoElement* largestText(const std::vector<LogoElement>& elements, const LogoElement* best = nullptr)
{
    for (const LogoElement& element : elements) {
        if (element.hidden)
            continue;
        if (element.kind == ElementKind::Group)
            best = largestText(element.children, best);
        else if (element.kind == ElementKind::Text && !element.text.trimmed().isEmpty()
                 && (!best || element.fontSize > best->fontSize))
            best = &element;
    }
    return best;
}

// The first letter or digit of text as drawn (a whole character, accents and
// pairs kept); the first visible character when it has none.
QString firstLetter(const LogoElement& text)
{
    const QString shown = text.textCase == TextCase::Upper   ? text.text.toUpper()
                          : text.textCase == TextCase::Lower ? text.text.toLower()
                                                             : text.text;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, shown);
    QString fallback;
    for (qsizetype start = 0; start < shown.size();) {
        const qsizetype end = characters.toNextBoundary();
        if (end <= start)
            break;
        const QString character = shown.mid(start, end - start);
        if (QChar::isLetterOrNumber(character.toUcs4().value(0)))
            return character;
        if (fallback.isEmpty() && !character.trimmed().isEmpty())
            fallback = character;
        start = end;
    }
    return fallback;
}

QRectF withMargin(const QRectF& area)
{
    const double margin = std::max(area.width(), area.height()) * artMargin + 1;
    return area.adjusted(-margin, -margin, margin, margin);
}
} // namespace

IconLogo iconLogo(const LogoDocument& logo, const LogoRenderer& renderer)
{
    IconLogo icon;
    std::vector<QRectF> markBounds;
    for (const LogoElement& element : logo.elements)
        if (!element.hidden && !isTextOnly(element) && !isRule(element))
            markBounds.push_back(stageBounds(element));
    if (!markBounds.empty()) {
        icon.source = Source::Mark;
        QRectF area;
        for (const LogoElement& element : logo.elements) {
            if (element.hidden)
                continue;
            const QRectF bounds = stageBounds(element);
            bool onMark = !isTextOnly(element) && !isRule(element);
            for (const QRectF& mark : markBounds)
                onMark = onMark || (isTextOnly(element) && mark.contains(bounds.center()));
            if (!onMark)
                continue;
            icon.logo.elements.push_back(element);
            area = area.united(bounds);
        }
        icon.area = withMargin(area);
        return icon;
    }
    const LogoElement* text = largestText(logo.elements);
    if (!text)
        return icon;
    LogoElement letter = *text;
    letter.text = firstLetter(*text);
    letter.textCase = TextCase::AsTyped;
    letter.arcRadius = 0;
    letter.letterSpacing = 0;
    letter.rotation = 0;
    letter.opacity = 1;
    letter.flipHorizontal = letter.flipVertical = false;
    letter.shadow.enabled = false;
    letter.position = QPointF(0, 0);
    letter.size = renderer.textSize(letter);
    if (letter.text.isEmpty() || letter.size.isEmpty())
        return icon;
    icon.source = Source::Initial;
    icon.initial = letter.text;
    icon.family = letter.fontFamily.isEmpty() ? defaultTextFamily() : letter.fontFamily;
    icon.area = withMargin(letter.box());
    icon.logo.elements.push_back(letter);
    return icon;
}

IconArt draw(const LogoDocument& logo, const LogoRenderer& renderer, int side, const QImage& wholeLogo)
{
    const IconLogo icon = iconLogo(logo, renderer);
    IconArt art;
    if (icon.source != Source::WholeLogo && !icon.area.isEmpty()) {
        const double scale = side / std::max(icon.area.width(), icon.area.height());
        const QSize pixels(std::max(1, int(std::ceil(icon.area.width() * scale))), std::max(1, int(std::ceil(icon.area.height() * scale))));
        QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
        if (!picture.isNull()) {
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
            painter.scale(scale, scale);
            painter.translate(-icon.area.topLeft());
            renderer.draw(painter, icon.logo);
            painter.end();
            const QRect content = logo_pictures::contentBounds(picture);
            if (content != picture.rect() || qAlpha(picture.pixel(0, 0)) != 0)
                return {icon.source, icon.initial, icon.family, picture, content};
        }
    }
    art.picture = wholeLogo;
    art.content = logo_pictures::contentBounds(wholeLogo);
    return art;
}

bool isLight(const QImage& picture, const QRect& part)
{
    // The lightness of each pixel weighed by how much it covers.
    const QImage image = picture.copy(part).scaled(64, 64, Qt::KeepAspectRatio).convertToFormat(QImage::Format_ARGB32);
    double light = 0, cover = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = QColor::fromRgba(image.pixel(x, y));
            light += pixel.lightnessF() * pixel.alphaF();
            cover += pixel.alphaF();
        }
    }
    return cover > 0 && light / cover > lightArt;
}

QColor opaqueGround(const QColor& background, const IconArt& art)
{
    if (background.isValid() && background.alpha() == 255)
        return background;
    return isLight(art.picture, art.content) ? QColor(0x1d, 0x27, 0x33) : QColor(Qt::white);
}

QString logoName(const LogoDocument& logo)
{
    const LogoElement* text = largestText(logo.elements);
    if (!text)
        return {};
    const QString line = text->text.section(QLatin1Char('\n'), 0, 0).simplified();
    return text->textCase == TextCase::Upper ? line.toUpper() : text->textCase == TextCase::Lower ? line.toLower() : line;
}

QString describe(const IconArt& art)
{
    switch (art.source) {
    case Source::Mark:
        return QStringLiteral("The icons show the logo's mark alone: its name and tagline cannot be read at 16 pixels.");
    case Source::Initial:
        return QStringLiteral("The logo has no mark, so the icons show the initial \u201c%1\u201d of its name, in %2.")
            .arg(art.initial, art.family);
    case Source::WholeLogo:
        break;
    }
    return QStringLiteral("The icons show the whole logo: it has neither a mark nor a text.");
}

} // namespace vm::logo_icon
