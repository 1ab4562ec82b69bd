#include "artwork/picture_crop.h"

#include "artwork/unused_name.h"

#include "protocol/field_separator.h"
#include "platform/api/path_style.h"
#include "platform/api/process_runner.h"
#include "platform/api/run_time_error.h"
#include "publish/convert_commands.h"

#include <QFileInfo>

namespace vm {

namespace {
constexpr int hiddenWindow = 0;
constexpr int highPriorityClass = 128;

QString number(const QString& text)
{
    return convert_commands::generalForm(convert_commands::leadingNumber(text));
}

// What a file looked like before the converter ran: a result must be new or changed.
struct FileStamp {
    explicit FileStamp(const QString& path)
    {
        const QFileInfo info(path);
        exists = info.isFile();
        if (exists) {
            modified = info.lastModified();
            size = info.size();
        }
    }
    bool operator==(const FileStamp&) const = default;
    bool exists = false;
    QDateTime modified;
    qint64 size = 0;
};
} // namespace

const QString PictureCrop::failureMessage = QStringLiteral("The picture could not be cropped.");

PictureCrop::PictureCrop(const ArtworkSeams& host, ProcessRunner& converter, std::function<QDateTime()> clock)
    : host_(host), converter_(converter), clock_(std::move(clock))
{
    host_.dispatcher.on(QStringLiteral("cropimage"), [this](const QString& argument) {
        host_.state.imageFolder = host_.state.places.imageFolder() + path_style::separator;
        SaveCropedImage(argument);
    });
}

PictureCrop::Request PictureCrop::parseRequest(const QString& argument)
{
    Request request;
    const QStringList fields = argument.split(fieldSeparator);
    if (fields.size() < 6)
        return request;
    request.x = number(fields[0]);
    request.y = number(fields[1]);
    request.height = number(fields[2]);
    request.width = number(fields[3]);
    request.source = fields[4].trimmed();
    request.scale = number(fields[5]);
    return request;
}

QString PictureCrop::cropCommand(const QString& programFolder, const Request& request, const QString& source,
                                 const QString& target, bool cropAgain)
{
    return convert_commands::converter(programFolder) + QStringLiteral(" -quality 100 -scale ") + request.scale
           + (cropAgain ? QStringLiteral("%  -crop ") : QStringLiteral("% -crop ")) + request.width + QLatin1Char('x')
           + request.height + QLatin1Char('+') + request.x + QLatin1Char('+') + request.y + QLatin1Char(' ')
           + quotedArgument(source) + QLatin1Char(' ') + quotedArgument(target);
}

void PictureCrop::SaveCropedImage(const QString& argument)
{
    HostState& state = host_.state;
    const QString label = QStringLiteral("frmMain\\SaveCropedImage");
    const bool ran = host_.trap.run(label, [&] {
        if (state.imageFolder.trimmed().isEmpty() || argument.isEmpty())
            return;
        const Request request = parseRequest(argument);
        const QString earlierName = state.currentImageName;
        QString source;
        QString target;
        QString cropAgainName;
        if (!request.source.isEmpty()) {
            const QTime now = clock_().time();
            const QString folder = state.places.imageFolder() + path_style::separator;
            state.currentImageName = unusedName(folder, QString::number(now.hour()) + QString::number(now.minute())
                                                            + QString::number(now.second()) + request.source);
            source = state.imageFolder + request.source;
            target = folder + state.currentImageName;
        } else {
            source = state.imageFolder + state.currentImageName;
            cropAgainName = unusedName(state.imageFolder, QStringLiteral("CI") + state.currentImageName);
            target = state.imageFolder + cropAgainName;
        }
        const FileStamp before(target);
        const bool started = converter_.runProcess(cropCommand(state.programFolder, request, source, target, request.source.isEmpty()),
                                                   state.programFolder, ProcessRunner::noTimeLimit, hiddenWindow,
                                                   highPriorityClass);
        const FileStamp after(target);
        if (!started || !after.exists || after.size == 0 || after == before) {
            // The canvas keeps the picture it shows; a later crop again starts from it.
            state.currentImageName = earlierName;
            throw RunTimeError(error_number::FileNotFound,
                               QStringLiteral("The converter did not write %1 from %2").arg(target, source));
        }
        if (request.source.isEmpty())
            state.currentImageName = cropAgainName;
    });
    if (!ran) {
        // A folder that cannot be written is named, so the user knows where the crop should have gone.
        const QString folder = state.places.imageFolder();
        const bool unwritable = !QFileInfo(folder).isDir() || !QFileInfo(folder).isWritable();
        host_.messages.Alert(unwritable ? failureMessage + QStringLiteral(" %1 cannot be written.").arg(folder) : failureMessage,
                             &host_.mainForm);
        return;
    }
    host_.toFlash(QStringLiteral("cropedimage"), state.currentImageName);
}

} // namespace vm
