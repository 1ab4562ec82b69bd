#include "export/vector_export.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/user_places.h"
#include "platform/printing/eps_writer.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace vm::vector_export {

namespace {
// The renderer for vector files: texts keep being text, except in fonts a
// reader of the file cannot be expected to have, drawn as outlines instead:
// the user's imported fonts (the user font list names them) and any this
// system lacks (the screen shows those in a substitute, and so does the file).
// With outlines, every text.
LogoRenderer vectorRenderer(const LogoRenderer& renderer, bool outlines)
{
    LogoRenderer vector = renderer;
    if (outlines) {
        vector.setTextAsOutlines([](const QString&) { return true; });
        return vector;
    }
    const QString userFonts = QString::fromUtf8(
        readBoundedFile(overlaidFile(renderer.resources().userDataFolder(), renderer.resources().dataFolder,
                                     QStringLiteral("Font_user.xml")),
                        file_limits::xmlList).bytes);
    vector.setTextAsOutlines([userFonts](const QString& family) {
        return !QFontDatabase::hasFamily(family) || (!family.isEmpty() && userFonts.contains(family, Qt::CaseInsensitive));
    });
    return vector;
}

// The stage scaled onto page, background first.
void paintStage(QPainter& painter, const LogoDocument& logo, const LogoRenderer& renderer, const QRectF& page,
                const QColor& background, bool outlines)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    if (background.isValid() && background.alpha() != 0)
        painter.fillRect(page, background);
    const QSizeF stage(std::max(1, logo.stageSize.width()), std::max(1, logo.stageSize.height()));
    painter.save();
    painter.setClipRect(page);
    painter.translate(page.topLeft());
    painter.scale(page.width() / stage.width(), page.height() / stage.height());
    vectorRenderer(renderer, outlines).draw(painter, logo);
    painter.restore();
}

QPageLayout pageOf(const QSize& size)
{
    return QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                       QMarginsF());
}
} // namespace

QByteArray svg(const LogoDocument& logo, const LogoRenderer& renderer, const QSize& size, const QColor& background,
               const QString& title, bool outlines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Made with Vantamorph"));
    QPainter painter;
    if (!painter.begin(&generator))
        return {};
    paintStage(painter, logo, renderer, QRectF(QPointF(0, 0), QSizeF(size)), background, outlines);
    painter.end();
    return bytes;
}

QByteArray pdf(const LogoDocument& logo, const LogoRenderer& renderer, const QSize& size, const QColor& background,
               const QString& title, bool outlines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Vantamorph"));
        writer.setResolution(72); // one stage pixel is one point
        writer.setPageLayout(pageOf(size));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        paintStage(painter, logo, renderer, QRectF(QPointF(0, 0), QSizeF(size)), background, outlines);
        painter.end();
    }
    return bytes;
}

bool writeEps(const QString& path, const LogoDocument& logo, const LogoRenderer& renderer, const QSize& size,
              const QColor& background, bool outlines, QString* error)
{
    EpsWriter writer;
    const bool written = writer.writeEps(path, pageOf(size), [&](QPainter& painter, const QRectF& page) {
        paintStage(painter, logo, renderer, page, background, outlines);
    });
    if (!written && error)
        *error = writer.lastError();
    return written;
}

} // namespace vm::vector_export
