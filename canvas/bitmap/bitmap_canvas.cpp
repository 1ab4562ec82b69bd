#include "canvas/bitmap/bitmap_canvas.h"

#include "canvas/logo/logo_document.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas/logo/png_file.h"
#include "platform/api/trace.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <optional>

namespace vm {

namespace {

// The string argument of "<invoke name='receiveBgName'>…"; nothing for any other request.
std::optional<QString> backgroundNameIn(const QString& request)
{
    QXmlStreamReader xml(request);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("invoke")
        || xml.attributes().value(QLatin1String("name")) != QLatin1String("receiveBgName"))
        return std::nullopt;
    std::optional<QString> argument;
    int depth = 1;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 3 && !argument && xml.name() == QLatin1String("string")) {
                argument = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    // Anything malformed, even after the argument, voids the whole call.
    if (xml.hasError())
        return std::nullopt;
    return argument;
}

} // namespace

BitmapCanvas::BitmapCanvas(QString controlName, Trace& trace, const LogoSource& source)
    : MoviePlayer(std::move(controlName), trace), source_(source), outbox_(*this)
{
}

BitmapCanvas::~BitmapCanvas() = default;

QString BitmapCanvas::commandFor(Picture picture)
{
    return publish_formats::row(picture).pictureCommand;
}

QString BitmapCanvas::backgroundName(Picture picture)
{
    return publish_formats::row(picture).background;
}

QByteArray BitmapCanvas::encode(const LogoDocument& logo, const LogoRenderer& renderer, Picture picture)
{
    QImage image;
    if (publish_formats::row(picture).transparent) {
        image = renderer.render(logo, 1.0, QColor(Qt::transparent));
    } else {
        // The stage's own colour over white paper: no alpha left in an opaque picture.
        const QImage drawn = renderer.render(logo, 1.0, logo.background.isValid() ? logo.background : QColor(Qt::white));
        if (!drawn.isNull()) {
            image = QImage(drawn.size(), QImage::Format_RGB32);
            if (!image.isNull()) {
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.drawImage(0, 0, drawn);
            }
        }
    }
    if (image.isNull())
        return QByteArray();
    if (picture != Picture::Jpg) {
        // A picture without conversion goes to the user as it is; every other one is
        // a work file the converter reads at once, where time matters more than bytes.
        const bool handedOver = publish_formats::row(picture).conversion == publish_formats::Conversion::None;
        return png_file::encode(image, handedOver ? png_file::Packing::Small : png_file::Packing::Fast);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", 100))
        return QByteArray();
    return bytes;
}

bool BitmapCanvas::publish(Picture picture)
{
    if (!isLoaded() || commandFor(picture).isEmpty())
        return false;
    const QByteArray bytes = encode(source_.currentLogo(), source_.logoRenderer(), picture);
    if (bytes.isEmpty())
        trace_.write(QStringLiteral("picture failed ") + Trace::quote(commandFor(picture)));
    // Sent even when empty, so the host's wait ends and it can tell the user.
    outbox_.post(commandFor(picture), QString::fromLatin1(bytes.toBase64()));
    return true;
}

QString BitmapCanvas::functionCalled(const QString& request)
{
    const std::optional<QString> name = backgroundNameIn(request);
    if (!name)
        return QString();
    for (const publish_formats::Row& row : publish_formats::all()) {
        if (row.transparent && name->compare(row.background, Qt::CaseInsensitive) == 0) {
            publish(row.format);
            break;
        }
    }
    return QString();
}

} // namespace vm
