#include "platform/linux/linux_rights.h"

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace vm {

namespace {

// Whether this process, with its effective ids, may add entries to the folder.
bool canAddTo(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

LinuxRights::LinuxRights(QString printerStore) : printerStore_(std::move(printerStore)) {}

int LinuxRights::environmentQuery()
{
    if (printerStore_.trimmed().isEmpty())
        return 0;
    QString folder = QDir::cleanPath(QDir(printerStore_).absolutePath());
    // The nearest entry that exists decides: the store itself, or the folder
    // that the store's missing folders would be made in. A dangling link
    // exists as an entry but can be neither written through nor replaced.
    for (;;) {
        const QFileInfo entry(folder);
        if (entry.exists() || entry.isSymLink())
            return canAddTo(folder) ? 1 : 0;
        const QString parent = entry.dir().absolutePath();
        if (parent == folder)
            return 0;
        folder = parent;
    }
}

} // namespace vm
