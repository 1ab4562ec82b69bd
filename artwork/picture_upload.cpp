#include "artwork/picture_upload.h"

#include "artwork/unused_name.h"

#include "platform/api/atomic_file.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/path_style.h"
#include "platform/api/system_dialogs.h"

#include <QFile>
#include <QFileInfo>

namespace vm {

namespace {
const QString title = QStringLiteral("Vantamorph");

void tell(SystemDialogs& dialogs, const QString& text)
{
    dialogs.messageBox(text, title, message_box::Buttons::Ok, message_box::Icon::None);
}
} // namespace

const QString PictureUpload::dialogFilter = QStringLiteral("Pictures (*.jpeg;*.gif;*.jpg;*.png)|*.jpeg;*.gif;*.jpg;*.png");

PictureUpload::PictureUpload(const ArtworkSeams& host, std::function<QDateTime()> clock) : host_(host), clock_(std::move(clock))
{
    host_.dispatcher.on(QStringLiteral("fnbrowseimage"), [this](const QString&) { BrowseImage(); });
}

QString PictureUpload::timeStampedName(const QDateTime& when, const QString& fileName)
{
    const QDate date = when.date();
    const QTime time = when.time();
    QString name;
    for (const int part : {date.day(), date.month(), date.year(), time.hour(), time.minute(), time.second()})
        name += QString::number(part);
    return name + fileName;
}

bool PictureUpload::hasPictureExtension(const QString& name)
{
    const QString extension = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    return extension == QLatin1String("jpeg") || extension == QLatin1String("gif") || extension == QLatin1String("jpg")
           || extension == QLatin1String("png");
}

bool PictureUpload::isRasterPicture(const QByteArray& head)
{
    return head.startsWith("\xFF\xD8\xFF") || head.startsWith("GIF87a") || head.startsWith("GIF89a")
           || head.startsWith("\x89PNG\r\n\x1A\n");
}

void PictureUpload::BrowseImage()
{
    // A failure here leaves the canvas without a picture; the user is told why.
    try {
        SystemDialogs& dialogs = host_.platform.dialogs;
        FileDialogRequest request;
        request.title = QStringLiteral("Select Image");
        request.filter = dialogFilter;
        const QString chosen = dialogs.openFile(request);
        if (chosen.size() < 2)
            return;
        const QString name = timeStampedName(clock_(), QFileInfo(chosen).fileName());
        HostState& state = host_.state;
        state.imageFolder = state.places.imageFolder() + path_style::separator;
        const bool exists = QFileInfo(chosen).isFile();
        if (!exists)
            tell(dialogs, QStringLiteral("File does not exists."));
        const QString typeMessage = QStringLiteral("Only .jpeg, .gif, .jpg or .png files are allowed to upload.");
        if (!hasPictureExtension(name)) {
            tell(dialogs, typeMessage);
            return;
        }
        if (!exists)
            return;
        const BoundedRead source = readBoundedFile(chosen, file_limits::picture);
        if (!source.ok()) {
            tell(dialogs, source.reason);
            return;
        }
        const QByteArray& picture = source.bytes;
        if (!isRasterPicture(picture)) {
            tell(dialogs, typeMessage);
            return;
        }
        const QString unused = unusedName(state.imageFolder, name);
        // A copy that cannot be written is told, with where, and leaves the canvas without a picture.
        if (const WriteOutcome written = writeFileAtomically(state.imageFolder + unused, picture); !written.ok) {
            tell(dialogs, QStringLiteral("The picture could not be copied to %1: %2").arg(state.imageFolder + unused, written.reason));
            return;
        }
        state.currentImageName = unused;
        host_.toFlash(QStringLiteral("resultimage"), unused);
    } catch (...) {
    }
}

} // namespace vm
