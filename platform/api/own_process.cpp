#include "platform/api/own_process.h"

#include <QByteArray>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

bool isOwnRunningProcess(qint64 pid)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    // Signal 0 only asks whether the process exists; another user's answers EPERM.
    if (::kill(pid_t(pid), 0) != 0)
        return false;
    // Root may signal anyone: the owner of its /proc entry says whose it is.
    struct stat status {};
    const QByteArray entry = "/proc/" + QByteArray::number(pid);
    if (::stat(entry.constData(), &status) != 0)
        return errno != ENOENT; // no /proc to ask: a living process is taken for ours
    return status.st_uid == ::geteuid();
}

} // namespace vm
