#include "platform/api/bounded_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

ReadFailure failureForErrno(int error)
{
    return error == ENOENT || error == ENOTDIR ? ReadFailure::Missing : ReadFailure::Unreadable;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

BoundedRead failed(ReadFailure failure, const QString& path, qint64 limit, const QString& reason = QString())
{
    BoundedRead result;
    result.failure = failure;
    result.reason = reason.isEmpty() ? readFailureReason(failure, path, limit) : reason;
    return result;
}

// Opens without blocking (a pipe with no writer would wait for ever) and checks
// what the descriptor is: the answer belongs to the file opened, not to a name
// that could be swapped in between.
int openChecked(const QString& path, qint64 limit, BoundedRead& outcome, qint64& size)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        const int error = errno;
        outcome = failed(failureForErrno(error), path, limit,
                         error == ENOENT || error == ENOTDIR
                             ? QString()
                             : QStringLiteral("%1 cannot be read: %2").arg(path, QString::fromLocal8Bit(::strerror(error))));
        return -1;
    }
    struct stat facts {};
    if (::fstat(descriptor, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        const mode_t mode = facts.st_mode;
        ::close(descriptor);
        outcome = failed(ReadFailure::NotAFile, path, limit,
                         QStringLiteral("%1 is %2, not a file").arg(path, kindOf(mode)));
        return -1;
    }
    if (facts.st_size > limit) {
        ::close(descriptor);
        outcome = failed(ReadFailure::TooLarge, path, limit);
        return -1;
    }
    size = facts.st_size;
    return descriptor;
}

} // namespace

QString readFailureReason(ReadFailure failure, const QString& path, qint64 limit)
{
    switch (failure) {
    case ReadFailure::None:
        return QString();
    case ReadFailure::Missing:
        return QStringLiteral("%1 does not exist").arg(path);
    case ReadFailure::NotAFile:
        return QStringLiteral("%1 is not a file").arg(path);
    case ReadFailure::TooLarge:
        return QStringLiteral("%1 is larger than %2 MB, more than a file of its kind holds")
            .arg(path)
            .arg(double(limit) / (1024 * 1024), 0, 'g', 3);
    case ReadFailure::Unreadable:
        return QStringLiteral("%1 cannot be read").arg(path);
    }
    return QString();
}

BoundedRead checkBoundedFile(const QString& path, qint64 limit)
{
    BoundedRead outcome;
    qint64 size = 0;
    const int descriptor = openChecked(path, limit, outcome, size);
    if (descriptor >= 0)
        ::close(descriptor);
    return outcome;
}

BoundedRead readBoundedFile(const QString& path, qint64 limit)
{
    BoundedRead outcome;
    qint64 size = 0;
    const int descriptor = openChecked(path, limit, outcome, size);
    if (descriptor < 0)
        return outcome;
    // Read one byte past the limit, so a file that grew after fstat is caught.
    QByteArray bytes;
    bytes.resize(qsizetype(std::min<qint64>(size, limit) + 1));
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                break;
            bytes.resize(qsizetype(std::min<qint64>(limit + 1, filled * 2 + 4096)));
        }
        const ssize_t count = ::read(descriptor, bytes.data() + filled, size_t(bytes.size() - filled));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int error = errno;
            ::close(descriptor);
            return failed(ReadFailure::Unreadable, path, limit,
                          QStringLiteral("%1 cannot be read: %2").arg(path, QString::fromLocal8Bit(::strerror(error))));
        }
        if (count == 0)
            break;
        filled += count;
    }
    ::close(descriptor);
    if (filled > limit)
        return failed(ReadFailure::TooLarge, path, limit);
    bytes.truncate(qsizetype(filled));
    outcome.bytes = std::move(bytes);
    return outcome;
}

} // namespace vm
