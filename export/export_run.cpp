#include "export/export_run.h"

#include "canvas/logo/logo_xml.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/logo/logo_fonts.h"
#include "export/brand_pack.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QDir>
#include <QFileInfo>

namespace vm {

namespace {
constexpr int failedExitCode = 1;

ExportRunResult failed(QString message)
{
    return {failedExitCode, message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified(), {}};
}

// A file we may replace or create in a folder we may write to; empty when so.
QString targetProblem(const QString& path)
{
    const QFileInfo target(path);
    if (target.isDir())
        return QStringLiteral("%1 is a folder, not a file").arg(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("the folder %1 does not exist").arg(folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("the folder %1 cannot be written").arg(folder.filePath());
    if (target.exists() && !target.isWritable())
        return QStringLiteral("%1 cannot be replaced").arg(path);
    return {};
}

// The fonts drawn in the fallback, then what the renderer drew as a placeholder, one line each.
ExportRunResult withWarnings(ExportRunResult result, const LogoRenderer& renderer, const QStringList& fontWarnings)
{
    result.warnings = fontWarnings;
    for (const DrawProblem& problem : renderer.problems())
        result.warnings.append(QStringLiteral("warning: ") + problem.text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return result;
}

} // namespace

ExportRunResult runExport(const ExportRun& run, const LogoResources& resources)
{
    if (run.project.isEmpty() || run.out.isEmpty())
        return failed(QStringLiteral("a project and --out are both needed"));
    // A pipe, a folder or a device is refused at once, with what it is.
    if (const BoundedRead check = checkBoundedFile(run.project, file_limits::logoProject); !check.ok())
        return failed(check.failure == ReadFailure::Missing
                          ? QStringLiteral("the project %1 does not exist").arg(run.project)
                          : QStringLiteral("the project cannot be opened: %1").arg(check.reason));
    const logo_xml::ReadResult read = logo_xml::readFile(run.project);
    if (!read.document)
        return failed(QStringLiteral("the project %1 cannot be used: %2").arg(run.project, read.error));
    const LogoDocument& logo = *read.document;
    LogoRenderer renderer(resources);
    // The shipped and the imported fonts, as the canvas draws them.
    ImportedFonts userFonts;
    QStringList fontWarnings;
    if (!resources.dataFolder.isEmpty())
        useLogoFonts(
            QFileInfo(resources.dataFolder).absolutePath(), userFonts, renderer,
            [&fontWarnings](const QString& line) { fontWarnings.append(QStringLiteral("warning: ") + line); },
            resources.userRoot);

    if (run.brandPack) {
        if (run.options.width || run.options.height || run.options.transparent || run.options.background.isValid()
            || run.options.textToPath)
            return failed(QStringLiteral("--width, --height, --transparent, --background and --text-to-path go with --export only"));
        if (const QString problem = BrandPack::folderProblem(run.out); !problem.isEmpty())
            return failed(problem);
        BrandPack pack(logo, renderer, run.out);
        ExportRunResult result;
        if (!pack.run())
            result = failed(QStringLiteral("the brand pack was not written: %1").arg(pack.error().reason));
        return withWarnings(result, renderer, fontWarnings);
    }

    const std::optional<ExportFormat> format = export_format::fromPath(run.out);
    if (!format)
        return failed(QStringLiteral("%1: unknown extension \"%2\" (use png, jpg, gif, tiff, eps, svg or pdf)")
                          .arg(run.out, QFileInfo(run.out).suffix()));
    if (run.options.textToPath && export_format::isRaster(*format))
        return failed(QStringLiteral("--text-to-path goes with svg, pdf and eps files only"));
    if (const QString problem = targetProblem(run.out); !problem.isEmpty())
        return failed(problem);
    if (const QString problem = logo_export::checkOptions(logo, run.options); !problem.isEmpty())
        return failed(problem);
    const WriteOutcome written = logo_export::write(run.out, *format, logo, renderer, run.options);
    ExportRunResult result;
    if (!written.ok)
        result = failed(QStringLiteral("%1 was not written: %2").arg(run.out, written.reason));
    return withWarnings(result, renderer, fontWarnings);
}

} // namespace vm
