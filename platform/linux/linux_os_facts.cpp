#include "platform/linux/linux_os_facts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vm {

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
    return QDir::tempPath();
}

} // namespace vm
