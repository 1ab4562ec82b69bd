#include "platform/api/running_marker.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

RunningMarker::~RunningMarker()
{
    // Dropping the lock without removing the file: a copy that did not end
    // through release() looks like one that stopped running.
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool RunningMarker::claim(const QString& path)
{
    release();
    const QString temporary = path + QStringLiteral(".new");
    const QByteArray temporaryName = QFile::encodeName(temporary);
    // A new file only: never one placed there before, nor what a link names.
    const int descriptor
        = ::open(temporaryName.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return false;
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 || ::write(descriptor, pid.constData(), pid.size()) != pid.size()
        || ::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0) {
        ::close(descriptor);
        ::unlink(temporaryName.constData());
        return false;
    }
    descriptor_ = descriptor;
    path_ = path;
    return true;
}

void RunningMarker::release()
{
    if (descriptor_ < 0)
        return;
    ::unlink(QFile::encodeName(path_).constData());
    ::close(descriptor_);
    descriptor_ = -1;
    path_.clear();
}

RunningMarker::Holder RunningMarker::holderOf(const QString& path)
{
    // Without blocking (a pipe would wait for a writer for ever) and without
    // following a link out of the marker's folder.
    const int descriptor
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return errno == ENOENT ? Holder::Nobody : Holder::Unknown;
    struct stat facts {};
    Holder holder = Holder::Unknown;
    // A lock on a second open description conflicts even within one process.
    if (::fstat(descriptor, &facts) == 0 && S_ISREG(facts.st_mode)) {
        if (::flock(descriptor, LOCK_SH | LOCK_NB) == 0)
            holder = Holder::Nobody;
        else if (errno == EWOULDBLOCK)
            holder = Holder::Running;
    }
    ::close(descriptor);
    return holder;
}

} // namespace vm
