#include "canvas/logo/logo_renderer.h"

#include "canvas/logo/element_paint.h"
#include "canvas/logo/raw_font_glyphs.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/logo/soft_shadow.h"

#include <QFontMetricsF>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace vm {

namespace {
// Our own symbols are drawn in this colour; a recoloured symbol swaps it.
const QByteArray symbolInk = "#000000";

QFont textFont(const LogoElement& text)
{
    QFont font(text.fontFamily.isEmpty() ? defaultTextFamily() : text.fontFamily);
    font.setPixelSize(std::max(1, qRound(text.fontSize)));
    font.setBold(text.bold);
    font.setItalic(text.italic);
    return font;
}

QString displayText(const LogoElement& text) { return text.text.isEmpty() ? QStringLiteral(" ") : shownText(text); }

// A text Qt can draw as text: vector files then keep it as text.
bool isPlainText(const LogoElement& text)
{
    return text.arcRadius == 0 && text.letterSpacing == 0 && text.lineSpacing == 1 && text.strokeWidth == 0
        && !text.fill.isGradient() && (text.alignment == TextAlignment::Left || !text.text.contains(QLatin1Char('\n')));
}

QString fontKey(const LogoElement& text)
{
    return QStringLiteral("%1|%2|%3%4").arg(text.fontFamily).arg(text.fontSize).arg(text.bold).arg(text.italic);
}

QSizeF plainTextSize(const LogoElement& text)
{
    const QFontMetricsF metrics(textFont(text));
    const QSizeF size = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, displayText(text)).size();
    return QSizeF(std::max(1.0, size.width()), std::max(1.0, size.height()));
}

// Layouts kept for drawing; a stage redraws the same texts on every frame.
constexpr qsizetype layoutCacheLimit = 512;
} // namespace

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && name != QLatin1String("..")
        && name != QLatin1String(".");
}

bool isInsidePath(const QString& relativePath)
{
    if (relativePath.isEmpty() || relativePath.startsWith(QLatin1Char('/')) || relativePath.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = relativePath.split(QLatin1Char('/'));
    return std::none_of(parts.begin(), parts.end(), [](const QString& part) { return part == QLatin1String(".."); });
}

LogoRenderer::LogoRenderer(LogoResources resources) : resources_(std::move(resources)) {}
LogoRenderer::~LogoRenderer() = default;

void LogoRenderer::setResources(LogoResources resources)
{
    resources_ = std::move(resources);
    symbols_.clear();
    symbolFiles_.clear();
    pictures_.clear();
    problems_.clear();
    problemKeys_.clear();
}

void LogoRenderer::setGlyphLookup(GlyphLookup lookup)
{
    lookup_ = std::move(lookup);
    lookedUpGlyphs_.clear();
    layouts_.clear();
}

void LogoRenderer::draw(QPainter& painter, const LogoDocument& logo) const
{
    for (const LogoElement& element : logo.elements)
        drawElement(painter, element);
}

void LogoRenderer::drawElement(QPainter& painter, const LogoElement& element) const
{
    painter.save();
    painter.translate(element.position);
    if (element.rotation != 0) {
        const QPointF centre(element.size.width() / 2, element.size.height() / 2);
        painter.translate(centre);
        painter.rotate(element.rotation);
        painter.translate(-centre);
    }
    drawContent(painter, element, QRectF(QPointF(0, 0), element.size));
    painter.restore();
}

void LogoRenderer::drawContent(QPainter& painter, const LogoElement& element, const QRectF& box) const
{
    if (element.hidden)
        return;
    painter.save();
    painter.setOpacity(painter.opacity() * std::clamp(element.opacity, 0.0, 1.0));
    if (element.flipHorizontal || element.flipVertical) {
        painter.translate(box.center());
        painter.scale(element.flipHorizontal ? -1 : 1, element.flipVertical ? -1 : 1);
        painter.translate(-box.center());
    }
    if (element.shadow.enabled)
        drawShadow(painter, element, box);
    drawBody(painter, element, box);
    painter.restore();
}

void LogoRenderer::drawShadow(QPainter& painter, const LogoElement& element, const QRectF& box) const
{
    // The element drawn alone at the painter's resolution, blurred, laid under it.
    const QTransform device = painter.deviceTransform();
    const double resolution = std::sqrt(std::abs(device.determinant()));
    const double reach = element.strokeWidth + element.shadow.blur * 2 + 1;
    const QRectF area = box.adjusted(-reach, -reach, reach, reach);
    const double pixels = std::clamp(resolution, 0.05, 4096 / std::max(area.width(), area.height()));
    const QSize size(std::max(1, qCeil(area.width() * pixels)), std::max(1, qCeil(area.height() * pixels)));
    QImage drawing(size, QImage::Format_ARGB32_Premultiplied);
    drawing.fill(Qt::transparent);
    {
        QPainter layer(&drawing);
        layer.setRenderHints(painter.renderHints());
        layer.scale(pixels, pixels);
        layer.translate(-area.topLeft());
        drawBody(layer, element, box);
    }
    const QImage shadow = softShadow(drawing, element.shadow.blur * pixels, element.shadow.color);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area.translated(element.shadow.offset), shadow);
    painter.restore();
}

void LogoRenderer::drawBody(QPainter& painter, const LogoElement& element, const QRectF& box) const
{
    switch (element.kind) {
    case ElementKind::Text:
        drawText(painter, element, box);
        break;
    case ElementKind::Shape:
        drawShape(painter, element, box);
        break;
    case ElementKind::Symbol:
        if (QSvgRenderer* svg = symbolRenderer(element.symbol, element.color)) {
            svg->render(&painter, box);
        } else {
            const LoadedSymbol& file = symbolFiles_[element.symbol];
            notePlaceholder(element, file.reason.isEmpty() ? QStringLiteral("it is not an SVG drawing the program can read") : file.reason);
            drawPlaceholder(painter, box);
        }
        break;
    case ElementKind::Picture: {
        const LoadedPicture& loaded = picture(element.picture);
        if (loaded.image.isNull()) {
            notePlaceholder(element, loaded.reason);
            drawPlaceholder(painter, box);
        } else {
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(box, loaded.image);
            painter.restore();
        }
        break;
    }
    case ElementKind::Group: {
        const QRectF natural = childrenBox(element);
        painter.save();
        painter.translate(box.topLeft());
        painter.scale(box.width() / natural.width(), box.height() / natural.height());
        painter.translate(-natural.topLeft());
        for (const LogoElement& child : element.children)
            drawElement(painter, child);
        painter.restore();
        break;
    }
    }
}

QImage LogoRenderer::render(const LogoDocument& logo, double scale, const QColor& background) const
{
    scale = std::clamp(scale, 0.01, 20.0);
    const QSize size(std::max(1, qRound(logo.stageSize.width() * scale)), std::max(1, qRound(logo.stageSize.height() * scale)));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background.isValid() ? background : QColor(Qt::transparent));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    draw(painter, logo);
    painter.end();
    return image;
}

void LogoRenderer::drawText(QPainter& painter, const LogoElement& text, const QRectF& box) const
{
    painter.save();
    painter.translate(box.topLeft());
    const std::shared_ptr<const GlyphSource> glyphs = glyphsFor(text);
    if (glyphs) {
        const TextLayout& layout = layoutFor(text, *glyphs);
        painter.scale(box.width() / layout.size.width(), box.height() / layout.size.height());
        // A batch of glyphs at a time, every outline under every fill; a
        // short text is one batch, drawn as one path.
        const size_t count = layout.glyphs.size();
        constexpr size_t batch = TextLayout::glyphsPerBatch;
        if (text.strokeWidth > 0) {
            // Twice as wide under the fill: the outline grows outwards and the letters keep their weight.
            const QPen pen(text.strokeColor, text.strokeWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            for (size_t first = 0; first < count; first += batch)
                painter.strokePath(layout.outline(first, first + batch), pen);
        }
        const QBrush brush = fillBrush(text, QRectF(QPointF(0, 0), layout.size));
        for (size_t first = 0; first < count; first += batch)
            painter.fillPath(layout.outline(first, first + batch), brush);
        painter.restore();
        return;
    }
    const QSizeF natural = plainTextSize(text);
    painter.scale(box.width() / natural.width(), box.height() / natural.height());
    const QFont font = textFont(text);
    if (outlined_ && outlined_(font.family())) {
        // Line by line from the top, as drawText lays out a top-aligned text.
        const QFontMetricsF metrics(font);
        QPainterPath outline;
        qreal baseline = metrics.ascent();
        for (const QString& line : displayText(text).split(QLatin1Char('\n'))) {
            outline.addText(QPointF(0, baseline), font, line);
            baseline += metrics.lineSpacing();
        }
        painter.fillPath(outline, text.color);
    } else {
        painter.setFont(font);
        painter.setPen(text.color);
        painter.drawText(QRectF(QPointF(0, 0), natural), Qt::AlignLeft | Qt::AlignTop, displayText(text));
    }
    painter.restore();
}

void LogoRenderer::drawShape(QPainter& painter, const LogoElement& shape, const QRectF& box) const
{
    const QPainterPath path = shapePath(shape, box);
    if (shape.shapeType == ShapeType::Line) {
        // A line has no inside: its fill paints it, at the outline's width.
        painter.strokePath(path, QPen(fillBrush(shape, box), std::max(1.0, shape.strokeWidth), Qt::SolidLine, Qt::RoundCap));
        return;
    }
    painter.fillPath(path, fillBrush(shape, box));
    if (shape.strokeWidth > 0)
        painter.strokePath(path, QPen(shape.strokeColor, shape.strokeWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

std::shared_ptr<const GlyphSource> LogoRenderer::glyphsFor(const LogoElement& text) const
{
    const QString key = fontKey(text);
    if (lookup_) {
        // One source per face and size, so laid-out texts are found again by it.
        auto looked = lookedUpGlyphs_.find(key);
        if (looked == lookedUpGlyphs_.end())
            looked = lookedUpGlyphs_.insert(key, lookup_(text.fontFamily, text.fontSize, text.bold, text.italic));
        if (*looked)
            return *looked;
    }
    if (isPlainText(text))
        return nullptr;
    auto found = systemGlyphs_.find(key);
    if (found == systemGlyphs_.end())
        found = systemGlyphs_.insert(key, std::make_shared<RawFontGlyphSource>(textFont(text)));
    return *found;
}

const TextLayout& LogoRenderer::layoutFor(const LogoElement& text, const GlyphSource& glyphs) const
{
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                            .arg(fontKey(text), text.text)
                            .arg(text.arcRadius)
                            .arg(text.letterSpacing)
                            .arg(text.lineSpacing)
                            .arg(int(text.alignment))
                            .arg(int(text.textCase))
                            .arg(quintptr(&glyphs));
    auto found = layouts_.find(key);
    if (found != layouts_.end())
        return *found;
    if (layouts_.size() >= layoutCacheLimit)
        layouts_.clear();
    return *layouts_.insert(key, layoutText(text, glyphs));
}

QSizeF LogoRenderer::textSize(const LogoElement& text) const
{
    const std::shared_ptr<const GlyphSource> glyphs = glyphsFor(text);
    return glyphs ? layoutFor(text, *glyphs).size : plainTextSize(text);
}

QSizeF LogoRenderer::naturalTextSize(const LogoElement& text)
{
    if (isPlainText(text))
        return plainTextSize(text);
    return layoutText(text, RawFontGlyphSource(textFont(text))).size;
}

QSizeF LogoRenderer::pictureSize(const QString& fileName) const
{
    const QImage& image = picture(fileName).image;
    return image.isNull() ? QSizeF() : QSizeF(image.size());
}

QSvgRenderer* LogoRenderer::symbolRenderer(const QString& path, const QColor& color) const
{
    const QString key = path + QLatin1Char('|') + color.name(QColor::HexArgb);
    if (auto found = symbols_.find(key); found != symbols_.end())
        return found->get();
    std::shared_ptr<QSvgRenderer> renderer;
    auto file = symbolFiles_.find(path);
    if (file == symbolFiles_.end())
        file = symbolFiles_.insert(path, loadSymbolFile(resources_.dataFolder, path));
    if (file->reason.isEmpty()) {
        QByteArray svg = file->svg;
        svg.replace(symbolInk, color.name(QColor::HexRgb).toLatin1());
        auto loaded = std::make_shared<QSvgRenderer>(svg);
        if (loaded->isValid())
            renderer = loaded;
    }
    symbols_.insert(key, renderer);
    return renderer.get();
}

const LoadedPicture& LogoRenderer::picture(const QString& fileName) const
{
    // A picture uploaded again under the same name is a new file: it is read again.
    const QFileInfo file(resources_.imageFolder + QLatin1Char('/') + fileName);
    const QString stamp = isPlainFileName(fileName) ? QString::number(file.size()) + QLatin1Char(' ')
                                                           + QString::number(file.lastModified().toMSecsSinceEpoch())
                                                     : QString();
    auto found = pictures_.find(fileName);
    if (found == pictures_.end() || found->stamp != stamp)
        found = pictures_.insert(fileName, {loadPictureFile(resources_.imageFolder, fileName), stamp});
    return found->picture;
}

void LogoRenderer::notePlaceholder(const LogoElement& element, const QString& reason) const
{
    const bool isPicture = element.kind == ElementKind::Picture;
    const QString file = isPicture ? shownResourcePath(resources_.imageFolder, element.picture)
                                   : shownResourcePath(resources_.dataFolder, element.symbol);
    const QString key = element.name + QLatin1Char('|') + file;
    if (problemKeys_.contains(key))
        return;
    problemKeys_.insert(key);
    problems_.append({isPicture ? QStringLiteral("picture") : QStringLiteral("symbol"), element.name, file, reason});
}

void LogoRenderer::drawPlaceholder(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
    painter.setBrush(QColor(230, 230, 230));
    painter.drawRect(box);
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
    painter.restore();
}

} // namespace vm
