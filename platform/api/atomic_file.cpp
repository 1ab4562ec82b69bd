#include "platform/api/atomic_file.h"

#include "platform/api/run_time_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace vm {

namespace {
// The words of a file error, with the number the log expects.
WriteOutcome fileFailure(QFileDevice::FileError error, const QString& detail)
{
    switch (error) {
    case QFileDevice::PermissionsError:
        return WriteOutcome::failure(error_number::PermissionDenied, QStringLiteral("Permission denied (%1)").arg(detail));
    case QFileDevice::ResourceError:
        return WriteOutcome::failure(error_number::DiskFull, QStringLiteral("Disk full (%1)").arg(detail));
    default:
        return WriteOutcome::failure(error_number::PathFileAccessError,
                                     QStringLiteral("Path/File access error (%1)").arg(detail));
    }
}

// The rename lives in the folder: it is durable once the folder is synced.
void syncFolder(const QString& folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}
} // namespace

WriteOutcome writeFileAtomically(const QString& path, const QByteArray& bytes, Durability durability)
{
    const QFileInfo target(path);
    if (!target.dir().exists())
        return WriteOutcome::failure(error_number::PathNotFound,
                                     QStringLiteral("Path not found: %1").arg(target.absolutePath()));
    // Without any write bit the file is read-only, even for an administrator.
    const QFile::Permissions writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && (!target.isFile() || !target.isWritable() || !(target.permissions() & writeBits)))
        return WriteOutcome::failure(error_number::PermissionDenied,
                                     QStringLiteral("Permission denied: %1 cannot be replaced").arg(path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileFailure(file.error(), file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const WriteOutcome failed = fileFailure(file.error(), file.errorString());
        file.cancelWriting();
        return failed;
    }
    // The commit syncs the bytes before its rename; the rename itself is
    // durable only once the folder is synced too.
    if (!file.commit())
        return fileFailure(file.error(), file.errorString());
    if (durability == Durability::Synced)
        syncFolder(target.absolutePath());
    return {};
}

} // namespace vm
