#include "publish/direct_publish.h"

#include "platform/api/path_style.h"
#include "publish/save_logo_form.h"

#include <QFileInfo>

namespace vm {

namespace {
QString filterFor(ExportFormat format)
{
    const QString extension = export_format::extension(format);
    return extension.toUpper() + QStringLiteral(" (*.") + extension + QStringLiteral(")|*.") + extension;
}
} // namespace

QSize DirectPublish::stageSize() const
{
    const CanvasLogo logo = currentLogo_ ? currentLogo_() : CanvasLogo();
    return logo.available() ? logo.document->stageSize : QSize();
}

void DirectPublish::tell(const QString& message)
{
    host_.platform.dialogs.messageBox(message, QStringLiteral("Vantamorph"), message_box::Buttons::Ok, message_box::Icon::None);
}

bool DirectPublish::publish(ExportFormat format, const ExportOptions& options, Form* dialog)
{
    const CanvasLogo logo = currentLogo_ ? currentLogo_() : CanvasLogo();
    if (!logo.available()) {
        tell(QStringLiteral("There is no logo to publish."));
        return false;
    }
    if (const QString problem = logo_export::checkOptions(*logo.document, options); !problem.isEmpty()) {
        tell(QStringLiteral("The logo cannot be published: %1.").arg(problem));
        return false;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("Save File As");
    request.filter = filterFor(format);
    const QString chosen = host_.platform.dialogs.saveFile(request);
    const QString sep = path_style::separator;
    const qsizetype cut = chosen.lastIndexOf(sep);
    QString fileName = chosen.mid(cut + 1);
    if (chosen.isEmpty() || fileName.trimmed().isEmpty())
        return false;
    const QString folder = chosen.left(cut + 1);
    if (!host_.state.keepTempFolder && !SaveLogoForm::CheckWritePermission(folder)) {
        tell(QStringLiteral("You do not have permission to save in this directory."));
        return false;
    }
    // The format's own extension, as the other routes do.
    if (const qsizetype point = fileName.lastIndexOf(QLatin1Char('.')); point >= 0)
        fileName = fileName.left(point);
    const QString target = folder + fileName + QLatin1Char('.') + export_format::extension(format);
    if (QFileInfo::exists(target)
        && !host_.messages.MessageBoxYN(host_.language.GetControlCaptions(QStringLiteral("msgYNFileOverwrite")), dialog))
        return false;
    const WriteOutcome written = logo_export::write(target, format, *logo.document, *logo.renderer, options);
    if (!written.ok) {
        host_.errorLog.write(written.errorNumber, written.reason, QStringLiteral("frmSaveLogo\\PublishDirect"));
        tell(QStringLiteral("Failed to Publish Logo. %1").arg(written.reason));
        return false;
    }
    host_.messages.Alert(host_.language.GetControlCaptions(QStringLiteral("alertLogoPub")), dialog);
    return true;
}

} // namespace vm
