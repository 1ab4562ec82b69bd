#include "platform/api/atomic_file.h"

#include "platform/api/run_time_error.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {
// The cause of a failed write in the user's words, with the number the log
// expects, straight from the system's error: a size limit, a full disk and a
// read-only disk each say so.
WriteOutcome writeFailure(int error, const QString& path)
{
    const QString system = QString::fromLocal8Bit(::strerror(error));
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return WriteOutcome::failure(error_number::DiskFull, QStringLiteral("Disk full (%1: %2)").arg(system, path));
    case EFBIG:
        return WriteOutcome::failure(error_number::DiskFull,
                                     QStringLiteral("File too large: %1 would pass the size limit on files").arg(path));
    case EACCES:
    case EPERM:
        return WriteOutcome::failure(error_number::PermissionDenied, QStringLiteral("Permission denied (%1)").arg(path));
    case EROFS:
        return WriteOutcome::failure(error_number::PermissionDenied,
                                     QStringLiteral("Read-only file system: %1 cannot be written").arg(path));
    default:
        return WriteOutcome::failure(error_number::PathFileAccessError,
                                     QStringLiteral("Path/File access error (%1: %2)").arg(system, path));
    }
}

// A link is replaced where it points, so the link stays a link.
QString finalTarget(const QString& path)
{
    QFileInfo target(path);
    for (int depth = 0; depth < 40 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    return target.isSymLink() ? path : target.filePath();
}

bool writeAll(int descriptor, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count == 0)
                errno = EIO;
            return false;
        }
        written += count;
    }
    return true;
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

    const QString finalPath = finalTarget(path);
    const QByteArray finalName = QFile::encodeName(finalPath);
    // The new file keeps the old one's permissions; a new one gets the usual ones (the umask applies).
    struct stat existing {};
    const bool replacing = ::stat(finalName.constData(), &existing) == 0;
    QByteArray temporaryName;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporaryName = finalName + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        descriptor = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (descriptor < 0 && errno != EEXIST)
            break;
    }
    if (descriptor < 0)
        return writeFailure(errno, path);
    // The bytes reach the disk before the rename, so the target is old or new, never cut short.
    bool written = (!replacing || ::fchmod(descriptor, existing.st_mode & 07777) == 0) && writeAll(descriptor, bytes);
    written = written && (::fsync(descriptor) == 0 || errno == EINVAL); // EINVAL: a file system that cannot sync
    const int error = errno;
    if (::close(descriptor) != 0 || !written) {
        const WriteOutcome failed = writeFailure(written ? errno : error, path);
        ::unlink(temporaryName.constData());
        return failed;
    }
    if (::rename(temporaryName.constData(), finalName.constData()) != 0) {
        const WriteOutcome failed = writeFailure(errno, path);
        ::unlink(temporaryName.constData());
        return failed;
    }
    if (durability == Durability::Synced)
        syncFolder(QFileInfo(finalPath).absolutePath());
    return {};
}

} // namespace vm
