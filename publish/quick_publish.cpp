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
const QString pictureLabel = QStringLiteral("frmMain\\ShockwaveFlash1");
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


void QuickPublish::registerPictures(CanvasDispatcher& pictures)
{
    using Written = PictureFile;
    pictures.on(QStringLiteral("publishpng"), [this](const QString& argument) {
        pictureArrived(QStringLiteral("publishpng"), argument, Written::Sample,
                       [this](const QString& target, const QString& written, const QString&) { ScaleImage(target, written); });
    });
    pictures.on(QStringLiteral("publishjpg"), [this](const QString& argument) {
        pictureArrived(QStringLiteral("publishjpg"), argument, Written::JpegSample,
                       [this](const QString& target, const QString& written, const QString&) { ScaleImage(target, written); });
    });
    pictures.on(QStringLiteral("publishtiff"), [this](const QString& argument) {
        pictureArrived(QStringLiteral("publishtiff"), argument, Written::Sample,
                       [this](const QString& target, const QString&, const QString& sample) {
                           ConvertToTiff(target, sample);
                           ScaleImage(target, target);
                       });
    });
    pictures.on(QStringLiteral("publishtransparentpng"), [this](const QString& argument) {
        pictureArrived(QStringLiteral("publishtransparentpng"), argument, Written::Target,
                       [](const QString&, const QString&, const QString&) {});
    });
    pictures.on(QStringLiteral("publishtransparentgif"), [this](const QString& argument) {
        pictureArrived(QStringLiteral("publishtransparentgif"), argument, Written::Sample,
                       [this](const QString& target, const QString&, const QString& sample) { ConvertImage(target, sample); });
    });
    pictures.on(QStringLiteral("publishgif"), [this](const QString& argument) {
        pictureArrived(QStringLiteral("publishgif"), argument, Written::Sample,
                       [this](const QString& target, const QString&, const QString& sample) {
                           ConvertImage(target, sample);
                           ScaleImage(target, sample);
                       });
    });
    // Anything else the bitmap canvas says ends the publish waiting for it.
    pictures.onAnyOther([this](const QString& command, const QString&) {
        host_.trap.run(pictureLabel, [&] {
            if (PublishRun* run = waitingRun(command))
                run->finish();
        });
    });
}

PublishRun* QuickPublish::waitingRun(const QString& command)
{
    PublishRun& run = dialog_.publishRun();
    if (run.waiting() && !host_.state.publishTarget.isEmpty())
        return &run;
    // Nothing asked for this picture (or its publish has ended): it goes nowhere.
    host_.trap.report(pictureLabel, RunTimeError(error_number::InvalidProcedureCall,
                                                 QStringLiteral("No publish is waiting for \"%1\"").arg(command)));
    return nullptr;
}

void QuickPublish::pictureArrived(const QString& command, const QString& argument, PictureFile file,
                                  const Conversion& convert)
{
    const QString label = pictureLabel;
    host_.trap.run(label, [&] {
        PublishRun* run = waitingRun(command);
        if (!run)
            return;
        const QString target = host_.state.publishTarget;
        const QString sample = binFile(QStringLiteral("sample.png"));
        // A picture that does not decode or cannot be written is no success.
        const std::optional<QByteArray> bytes = picture_files::DecodeBase64(argument);
        if (!bytes || bytes->isEmpty()) {
            host_.trap.report(label, RunTimeError(error_number::InvalidProcedureCall,
                                                  QStringLiteral("The picture from the canvas is not Base64")));
            run->fail(QStringLiteral("the picture from the canvas could not be read."));
            return;
        }
        const QString written = file == PictureFile::JpegSample ? binFile(QStringLiteral("sample.jpg"))
                                : file == PictureFile::Target   ? target
                                                                : sample;
        if (!picture_files::FileWriteBinary(*bytes, written)) {
            host_.trap.report(label, RunTimeError(error_number::PathFileAccessError,
                                                  QStringLiteral("Cannot write ") + written));
            run->fail(QStringLiteral("\"%1\" could not be written.").arg(written));
            return;
        }
        convert(target, written, sample);
        // Told a success only when this publish really wrote the target.
        run->finish();
    });
}

} // namespace vm
