#include "publish/quick_publish.h"

#include "platform/api/path_style.h"
#include "platform/api/print_services.h"
#include "platform/api/run_time_error.h"
#include "publish/convert_commands.h"
#include "publish/picture_files.h"
#include "publish/save_logo_form.h"
#include "shell/temp_folder.h"

#include <QFileInfo>

namespace vm {

namespace {
const QString pictureLabel = QStringLiteral("frmMain\\ShockwaveFlash1");
constexpr int hiddenWindow = 0;
constexpr int highPriority = 128;

} // namespace

QuickPublish::QuickPublish(const PublishSeams& host, PrintServices& services, SaveLogoForm& dialog)
    : host_(host), services_(services), dialog_(dialog)
{
}

QString QuickPublish::binFile(const QString& name) const
{
    return workBinFolderOf(host_.state) + path_style::separator + name;
}

void QuickPublish::mnuPublishLogoSub(const QString& key)
{
    host_.trap.run(QStringLiteral("frmMain\\mnuPublishLogoSub"), [&] {
        dialog_.ensureLoaded();
        // "mnuPublish" + the format's menu name, with the size for those offered in three.
        static const QList<std::pair<QString, PublishSize>> sizes = {
            {QStringLiteral("100%"), PublishSize::Full},
            {QStringLiteral("25%"), PublishSize::Quarter},
            {QStringLiteral("Thumbnail"), PublishSize::Thumbnail},
        };
        const QString prefix = QStringLiteral("mnuPublish");
        for (const publish_formats::Row& format : publish_formats::all()) {
            if (format.menuName.isEmpty() || !key.startsWith(prefix + format.menuName))
                continue;
            const QString rest = key.mid(prefix.size() + format.menuName.size());
            const auto size = std::find_if(sizes.begin(), sizes.end(), [&](const auto& entry) { return entry.first == rest; });
            if (format.smallSizes ? size == sizes.end() : !rest.isEmpty())
                continue;
            if (format.transparent)
                dialog_.transparent_Click(int(format.format));
            else
                dialog_.optExtension_Click(int(format.format));
            if (format.smallSizes)
                dialog_.selectSize(size->second);
            break;
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
    for (const publish_formats::Row& format : publish_formats::all())
        if (!format.pictureCommand.isEmpty())
            pictures.on(format.pictureCommand, [this, &format](const QString& argument) { pictureArrived(format, argument); });
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

void QuickPublish::convert(publish_formats::Conversion conversion, const QString& target, const QString& written,
                           const QString& sample)
{
    using C = publish_formats::Conversion;
    switch (conversion) {
    case C::None: break;
    case C::Scale:
    case C::ScaleJpeg: ScaleImage(target, written); break;
    case C::Convert: ConvertImage(target, sample); break;
    case C::ConvertAndScale:
        ConvertImage(target, sample);
        ScaleImage(target, sample);
        break;
    case C::TiffAndScale:
        ConvertToTiff(target, sample);
        ScaleImage(target, target);
        break;
    }
}

void QuickPublish::pictureArrived(const publish_formats::Row& format, const QString& argument)
{
    using C = publish_formats::Conversion;
    const QString& command = format.pictureCommand;
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
        const QString written = format.conversion == C::ScaleJpeg ? binFile(QStringLiteral("sample.jpg"))
                                : format.conversion == C::None    ? target
                                                                  : sample;
        if (!picture_files::FileWriteBinary(*bytes, written)) {
            host_.trap.report(label, RunTimeError(error_number::PathFileAccessError,
                                                  QStringLiteral("Cannot write ") + written));
            run->fail(QStringLiteral("\"%1\" could not be written.").arg(written));
            return;
        }
        convert(format.conversion, target, written, sample);
        // Told a success only when this publish really wrote the target.
        run->finish();
    });
}

} // namespace vm
