#include "platform/api/running_marker.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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
    const int descriptor = ::open(temporaryName.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
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

bool RunningMarker::isHeldByOther(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    // A lock on a second open description conflicts even within one process.
    const bool held = ::flock(descriptor, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(descriptor);
    return held;
}

} // namespace vm
