#include "platform/linux/linux_os_facts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {
// A folder that only this user can reach: created when missing, refused when
// it is a link, belongs to someone else, or others may write into it.
bool isPrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid())
        return false;
    if ((status.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}
} // namespace

QString LinuxOsFacts::documentsFolder()
{
    // Qt names a Documents folder even when the user has none; the host
    // treats "" as "no Documents folder" and falls back on its own.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString(QLatin1String(""));
}

QString LinuxOsFacts::environment(const QString& name)
{
    if (name.isEmpty())
        return QString(QLatin1String(""));
    return qEnvironmentVariable(name.toLocal8Bit().constData(), QString(QLatin1String("")));
}

QString LinuxOsFacts::tempFolder()
{
    // The user's own: in the shared temporary folder one user's copy would
    // reuse another's work folder, and its exit would delete it under them.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && isPrivateFolder(runtime + QStringLiteral("/vantamorph")))
        return runtime + QStringLiteral("/vantamorph");
    const QString own = QDir::tempPath() + QStringLiteral("/vantamorph-") + QString::number(::getuid());
    return isPrivateFolder(own) ? own : QString(QLatin1String(""));
}

} // namespace vm
