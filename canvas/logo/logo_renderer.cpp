#include "canvas/logo/logo_renderer.h"

#include "canvas/logo/glyph_layout.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace vm {

namespace {
// Our own symbols are drawn in this colour; a recoloured symbol swaps it.
const QByteArray symbolInk = "#000000";

QFont textFont(const LogoElement& text)
{
    QFont font(text.fontFamily.isEmpty() ? QStringLiteral("DejaVu Sans") : text.fontFamily);
    font.setPixelSize(std::max(1, qRound(text.fontSize)));
    font.setBold(text.bold);
    font.setItalic(text.italic);
    return font;
}

QString displayText(const LogoElement& text) { return text.text.isEmpty() ? QStringLiteral(" ") : text.text; }
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
    pictures_.clear();
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
    switch (element.kind) {
    case ElementKind::Text: {
        const std::shared_ptr<const GlyphSource> glyphs = glyphsFor(element);
        const QSizeF natural = textSize(element);
        painter.save();
        painter.translate(box.topLeft());
        painter.scale(box.width() / natural.width(), box.height() / natural.height());
        const QFont font = textFont(element);
        if (glyphs) {
            painter.fillPath(glyphTextOutline(*glyphs, displayText(element)), element.color);
        } else if (outlined_ && outlined_(font.family())) {
            // Line by line from the top, as drawText lays out a top-aligned text.
            const QFontMetricsF metrics(font);
            QPainterPath outline;
            qreal baseline = metrics.ascent();
            for (const QString& line : displayText(element).split(QLatin1Char('\n'))) {
                outline.addText(QPointF(0, baseline), font, line);
                baseline += metrics.lineSpacing();
            }
            painter.fillPath(outline, element.color);
        } else {
            painter.setFont(font);
            painter.setPen(element.color);
            painter.drawText(QRectF(QPointF(0, 0), natural), Qt::AlignLeft | Qt::AlignTop, displayText(element));
        }
        painter.restore();
        break;
    }
    case ElementKind::Symbol:
        if (QSvgRenderer* svg = symbolRenderer(element.symbol, element.color))
            svg->render(&painter, box);
        else
            drawPlaceholder(painter, box);
        break;
    case ElementKind::Picture: {
        const QImage& image = picture(element.picture);
        if (image.isNull()) {
            drawPlaceholder(painter, box);
        } else {
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(box, image);
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

QSizeF LogoRenderer::naturalTextSize(const LogoElement& text)
{
    const QFontMetricsF metrics(textFont(text));
    const QSizeF size = metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, displayText(text)).size();
    return QSizeF(std::max(1.0, size.width()), std::max(1.0, size.height()));
}

QSizeF LogoRenderer::textSize(const LogoElement& text) const
{
    const std::shared_ptr<const GlyphSource> glyphs = glyphsFor(text);
    if (!glyphs)
        return naturalTextSize(text);
    const QSizeF size = glyphTextSize(*glyphs, displayText(text));
    return QSizeF(std::max(1.0, size.width()), std::max(1.0, size.height()));
}

std::shared_ptr<const GlyphSource> LogoRenderer::glyphsFor(const LogoElement& text) const
{
    if (!glyphLookup_ || text.fontFamily.isEmpty())
        return nullptr;
    return glyphLookup_(text.fontFamily, std::max(1.0, text.fontSize), text.bold, text.italic);
}

QSizeF LogoRenderer::pictureSize(const QString& fileName) const
{
    const QImage& image = picture(fileName);
    return image.isNull() ? QSizeF() : QSizeF(image.size());
}

QSvgRenderer* LogoRenderer::symbolRenderer(const QString& path, const QColor& color) const
{
    const QString key = path + QLatin1Char('|') + color.name(QColor::HexArgb);
    if (auto found = symbols_.find(key); found != symbols_.end())
        return found->get();
    std::shared_ptr<QSvgRenderer> renderer;
    QFile file(resources_.dataFolder + QLatin1Char('/') + path);
    if (isInsidePath(path) && file.open(QIODevice::ReadOnly)) {
        QByteArray svg = file.readAll();
        svg.replace(symbolInk, color.name(QColor::HexRgb).toLatin1());
        auto loaded = std::make_shared<QSvgRenderer>(svg);
        if (loaded->isValid())
            renderer = loaded;
    }
    symbols_.insert(key, renderer);
    return renderer.get();
}

const QImage& LogoRenderer::picture(const QString& fileName) const
{
    auto found = pictures_.find(fileName);
    if (found == pictures_.end()) {
        QImage image;
        if (isPlainFileName(fileName))
            image.load(resources_.imageFolder + QLatin1Char('/') + fileName);
        found = pictures_.insert(fileName, image);
    }
    return *found;
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
