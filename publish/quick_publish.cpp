#include "publish/quick_publish.h"

#include "platform/api/path_style.h"
#include "platform/api/print_services.h"
#include "platform/api/run_time_error.h"
#include "publish/convert_commands.h"
#include "publish/picture_files.h"
#include "publish/save_logo_form.h"

#include <QFileInfo>

namespace vm {

namespace {
constexpr int hiddenWindow = 0;
constexpr int highPriority = 128;

struct MenuChoice {
    int format;
    int size; // -1: leave the size as the dialog has it
};
} // namespace

QuickPublish::QuickPublish(const PublishSeams& host, PrintServices& services, SaveLogoForm& dialog)
    : host_(host), services_(services), dialog_(dialog)
{
}

QString QuickPublish::binFile(const QString& name) const
{
    return host_.state.programFolder + path_style::separator + QStringLiteral("bin") + path_style::separator + name;
}

void QuickPublish::mnuPublishLogoSub(const QString& key)
{
    using F = SaveLogoForm;
    constexpr int full = int(PublishSize::Full);
    constexpr int quarter = int(PublishSize::Quarter);
    constexpr int thumbnail = int(PublishSize::Thumbnail);
    static const QHash<QString, MenuChoice> choices = {
        {QStringLiteral("mnuPublishPNG100%"), {F::Png, full}},
        {QStringLiteral("mnuPublishPNG25%"), {F::Png, quarter}},
        {QStringLiteral("mnuPublishPNGThumbnail"), {F::Png, thumbnail}},
        {QStringLiteral("mnuPublishEPS"), {F::Eps, full}},
        {QStringLiteral("mnuPublishJPG100%"), {F::Jpg, full}},
        {QStringLiteral("mnuPublishJPG25%"), {F::Jpg, quarter}},
        {QStringLiteral("mnuPublishJPGThumbnail"), {F::Jpg, thumbnail}},
        {QStringLiteral("mnuPublishGIF100%"), {F::Gif, full}},
        {QStringLiteral("mnuPublishGIF25%"), {F::Gif, quarter}},
        {QStringLiteral("mnuPublishGIFThumbnail"), {F::Gif, thumbnail}},
        {QStringLiteral("mnuPublishTIFF100%"), {F::Tiff, full}},
        {QStringLiteral("mnuPublishTIFF25%"), {F::Tiff, quarter}},
        {QStringLiteral("mnuPublishTIFFThumbnail"), {F::Tiff, thumbnail}},
        {QStringLiteral("mnuPublishVEPS"), {F::VectorEps, -1}},
        {QStringLiteral("mnuPublishtransparentPNG"), {F::TransparentPng, -1}},
        {QStringLiteral("mnuPublishtransparentGIF"), {F::TransparentGif, -1}},
    };
    host_.trap.run(QStringLiteral("frmMain\\mnuPublishLogoSub"), [&] {
        dialog_.ensureLoaded();
        if (const auto choice = choices.constFind(key); choice != choices.cend()) {
            if (choice->format >= F::TransparentPng)
                dialog_.transparent_Click(choice->format);
            else
                dialog_.optExtension_Click(choice->format);
            if (choice->size >= 0)
                dialog_.selectSize(PublishSize(choice->size));
        }
        host_.state.quickPublishing = true;
        dialog_.imgSave_Click();
    });
}

void QuickPublish::run(const QString& commandLine)
{
    services_.processes.runProcess(commandLine, host_.state.programFolder, ProcessRunner::noTimeLimit, hiddenWindow,
                                   highPriority);
}

void QuickPublish::ScaleImage(const QString& target, const QString& source)
{
    if (QFileInfo::exists(source))
        run(convert_commands::scaleCommand(host_.state.programFolder, dialog_.size(), source, target));
}

bool QuickPublish::ConvertImage(const QString& target, const QString& source)
{
    if (QFileInfo::exists(source))
        run(convert_commands::convertCommand(host_.state.programFolder, source, target));
    return true;
}

bool QuickPublish::ConvertToTiff(const QString& target, const QString& source)
{
    if (QFileInfo::exists(source))
        for (const QString& commandLine : convert_commands::tiffCommands(host_.state.programFolder, source, target))
            run(commandLine);
    return true;
}


void QuickPublish::ShockwaveFlash1_FSCommand(const QString& command, const QString& argument)
{
    const QString label = QStringLiteral("frmMain\\ShockwaveFlash1");
    host_.trap.run(label, [&] {
        const QString name = command.toLower();
        const QString target = host_.state.publishTarget;
        PublishRun& run = dialog_.publishRun();
        if (!run.waiting() || target.isEmpty()) {
            // Nothing asked for this picture (or its publish has ended): it goes nowhere.
            host_.trap.report(label, RunTimeError(error_number::InvalidProcedureCall,
                                                  QStringLiteral("No publish is waiting for \"%1\"").arg(command)));
            return;
        }
        const QString sample = binFile(QStringLiteral("sample.png"));
        static const QStringList pictures = {QStringLiteral("publishpng"), QStringLiteral("publishjpg"),
                                             QStringLiteral("publishtiff"), QStringLiteral("publishtransparentpng"),
                                             QStringLiteral("publishtransparentgif"), QStringLiteral("publishgif")};
        if (pictures.contains(name)) {
            // A picture that does not decode or cannot be written is no success.
            const std::optional<QByteArray> bytes = picture_files::DecodeBase64(argument);
            if (!bytes || bytes->isEmpty()) {
                host_.trap.report(label, RunTimeError(error_number::InvalidProcedureCall,
                                                      QStringLiteral("The picture from the canvas is not Base64")));
                run.fail(QStringLiteral("the picture from the canvas could not be read."));
                return;
            }
            const QString written = name == QLatin1String("publishjpg")              ? binFile(QStringLiteral("sample.jpg"))
                                    : name == QLatin1String("publishtransparentpng") ? target
                                                                                     : sample;
            if (!picture_files::FileWriteBinary(*bytes, written)) {
                host_.trap.report(label, RunTimeError(error_number::PathFileAccessError,
                                                      QStringLiteral("Cannot write ") + written));
                run.fail(QStringLiteral("\"%1\" could not be written.").arg(written));
                return;
            }
            if (name == QLatin1String("publishpng") || name == QLatin1String("publishjpg")) {
                ScaleImage(target, written);
            } else if (name == QLatin1String("publishtiff")) {
                ConvertToTiff(target, sample);
                ScaleImage(target, target);
            } else if (name == QLatin1String("publishtransparentgif")) {
                ConvertImage(target, sample);
            } else if (name == QLatin1String("publishgif")) {
                ConvertImage(target, sample);
                ScaleImage(target, sample);
            }
        }
        // Told a success only when this publish really wrote the target.
        run.finish();
    });
}

} // namespace vm
