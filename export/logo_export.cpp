#include "export/logo_export.h"

#include "export/logo_pictures.h"
#include "export/vector_export.h"
#include "platform/api/run_time_error.h"

#include <QDir>
#include <QFileInfo>

namespace vm::logo_export {

LogoResources resourcesFor(const QString& programFolder)
{
    // The program folder's parent is the install root, home of datasrc and LogoImages.
    const QString root = QFileInfo(programFolder).absolutePath();
    return {root + QStringLiteral("/datasrc"), root + QStringLiteral("/LogoImages")};
}

LogoResources resourcesFor(const UserPlaces& places)
{
    return {places.shippedDataFolder(), places.imageFolder(), places.userRoot()};
}

QString checkOptions(const LogoDocument& logo, const ExportOptions& options)
{
    const auto sideProblem = [](const char* name, int value) {
        if (value < 0 || value > export_format::maxSide)
            return QStringLiteral("the %1 must be between 1 and %2 pixels, not %3")
                .arg(QLatin1String(name))
                .arg(export_format::maxSide)
                .arg(value);
        return QString();
    };
    for (const QString& problem : {sideProblem("width", options.width), sideProblem("height", options.height)})
        if (!problem.isEmpty())
            return problem;
    const QSize size = outputSize(logo, options);
    if (size.width() > export_format::maxSide || size.height() > export_format::maxSide)
        return QStringLiteral("the result would be %1x%2 pixels, above the limit of %3")
            .arg(size.width())
            .arg(size.height())
            .arg(export_format::maxSide);
    if (options.transparent && options.background.isValid())
        return QStringLiteral("a transparent picture has no background colour");
    return {};
}

QSize outputSize(const LogoDocument& logo, const ExportOptions& options)
{
    return export_format::scaledSize(logo.stageSize, options.width, options.height);
}

QColor backgroundFor(const LogoDocument& logo, ExportFormat format, const ExportOptions& options)
{
    if (options.transparent)
        return export_format::keepsAlpha(format) || !export_format::isRaster(format) ? QColor() : QColor(Qt::white);
    return options.background.isValid() ? options.background : logo.background;
}

WriteOutcome write(const QString& path, ExportFormat format, const LogoDocument& logo, const LogoRenderer& renderer,
                   const ExportOptions& options)
{
    const QSize size = outputSize(logo, options);
    const QColor background = backgroundFor(logo, format, options);
    const QString title = QFileInfo(path).completeBaseName();
    QByteArray bytes;
    QString problem;
    switch (format) {
    case ExportFormat::Eps:
        if (!vector_export::writeEps(path, logo, renderer, size, background, options.textToPath, &problem))
            return WriteOutcome::failure(error_number::PathFileAccessError, problem);
        return {};
    case ExportFormat::Svg: bytes = vector_export::svg(logo, renderer, size, background, title, options.textToPath); break;
    case ExportFormat::Pdf: bytes = vector_export::pdf(logo, renderer, size, background, title, options.textToPath); break;
    case ExportFormat::Png:
    case ExportFormat::Jpg:
    case ExportFormat::Gif:
    case ExportFormat::Tiff: {
        const QImage picture = logo_pictures::render(logo, renderer, size, background);
        if (picture.isNull())
            return WriteOutcome::failure(error_number::InvalidProcedureCall,
                                         QStringLiteral("not enough memory for a %1x%2 picture").arg(size.width()).arg(size.height()));
        bytes = logo_pictures::encode(picture, format, &problem);
        break;
    }
    }
    if (bytes.isEmpty())
        return WriteOutcome::failure(error_number::InvalidProcedureCall,
                                     problem.isEmpty() ? QStringLiteral("the %1 could not be drawn").arg(title) : problem);
    return writeFileAtomically(path, bytes);
}

} // namespace vm::logo_export
