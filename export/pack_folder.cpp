#include "export/pack_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {
QByteArray native(const QString& path) { return QFile::encodeName(path); }
QString lastError() { return QString::fromLocal8Bit(::strerror(errno)); }

// Removes one of our hidden siblings: its own links are removed, never followed.
void removeOurs(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}
// What a subfolder holds that no own name ("fonts/*.ttf") covers: all of it
// when no own name reaches into it, else the entries that are not plain files
// matching one of them.
QStringList foreignInSubfolder(const QFileInfo& folder, const QStringList& ownNames)
{
    const QString prefix = folder.fileName() + QLatin1Char('/');
    QStringList patterns;
    for (const QString& name : ownNames)
        if (name.startsWith(prefix))
            patterns.append(name.mid(prefix.size()));
    if (patterns.isEmpty())
        return {folder.fileName()};
    QStringList foreign;
    const QDir dir(folder.filePath());
    if (!dir.isReadable())
        return {folder.fileName()};
    for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        if (entry.isSymLink() || !entry.isFile() || !QDir::match(patterns, entry.fileName()))
            foreign.append(prefix + entry.fileName());
    return foreign;
}
} // namespace

PackFolder::PackFolder(const QString& target, QStringList ownNames) : ownNames_(std::move(ownNames))
{
    const QFileInfo info(QDir::cleanPath(QFileInfo(target).absoluteFilePath()));
    // A link to a folder: the pack replaces the folder it names, and the link stays.
    const QString resolved = info.isSymLink() ? info.canonicalFilePath() : QString();
    const QFileInfo real(resolved.isEmpty() ? info.filePath() : resolved);
    target_ = real.filePath();
    parent_ = real.absolutePath();
    name_ = real.fileName();
}

PackFolder::~PackFolder() { discard(); }

QString PackFolder::lockFile() const { return parent_ + QStringLiteral("/.") + name_ + QStringLiteral(".lock"); }
QString PackFolder::partialPrefix() const { return QLatin1Char('.') + name_ + QStringLiteral(".partial-"); }

QString PackFolder::foreignContent(const QString& path, const QStringList& ownNames)
{
    const QFileInfo folder(path);
    if (!folder.exists())
        return {};
    if (!folder.isDir())
        return QStringLiteral("%1 is a file, not a folder").arg(path);
    QDir dir(path);
    if (!folder.isReadable() || !dir.isReadable())
        return QStringLiteral("the folder %1 cannot be read").arg(path);
    QStringList foreign;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.isSymLink())
            foreign.append(entry.fileName());
        else if (entry.isDir())
            foreign.append(foreignInSubfolder(entry, ownNames));
        else if (!ownNames.contains(entry.fileName()) || !entry.isFile())
            foreign.append(entry.fileName());
    }
    if (foreign.isEmpty())
        return {};
    const QString shown = foreign.size() > 3 ? QStringList(foreign.mid(0, 3)).join(QStringLiteral(", ")) + QStringLiteral(", ...")
                                             : foreign.join(QStringLiteral(", "));
    return QStringLiteral("the folder %1 holds files that are not part of a brand pack (%2); choose a new or empty folder")
        .arg(path, shown);
}

QString PackFolder::lock()
{
    const QByteArray path = native(lockFile());
    // The file is removed when the lock is released: a holder checks that the
    // file it locked is still the one under the name, else takes the new one.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (descriptor < 0)
            return QStringLiteral("the lock %1 cannot be made: %2").arg(lockFile(), lastError());
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            const QString why = lastError();
            ::close(descriptor);
            return held ? QStringLiteral("another brand pack is being written into %1 right now").arg(target_)
                        : QStringLiteral("the lock %1 cannot be taken: %2").arg(lockFile(), why);
        }
        struct stat locked {}, named {};
        if (::fstat(descriptor, &locked) == 0 && ::stat(path.constData(), &named) == 0 && locked.st_dev == named.st_dev
            && locked.st_ino == named.st_ino) {
            lockDescriptor_ = descriptor;
            return {};
        }
        ::close(descriptor);
    }
    return QStringLiteral("the lock %1 keeps changing").arg(lockFile());
}

void PackFolder::unlock()
{
    if (lockDescriptor_ < 0)
        return;
    ::unlink(native(lockFile()).constData());
    ::close(lockDescriptor_);
    lockDescriptor_ = -1;
}

void PackFolder::removeLeftovers() const
{
    const QStringList entries = QDir(parent_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.startsWith(partialPrefix()))
            removeOurs(parent_ + QLatin1Char('/') + entry);
}

QString PackFolder::open()
{
    if (isOpen())
        return {};
    if (name_.isEmpty() || name_ == QLatin1String(".") || name_ == QLatin1String(".."))
        return QStringLiteral("%1 cannot hold a pack: name a folder").arg(target_);
    if (!QDir().mkpath(parent_))
        return QStringLiteral("the folder %1 cannot be created").arg(parent_);
    if (const QString problem = lock(); !problem.isEmpty())
        return problem;
    // Only a run holding the lock gets here: any sibling of ours is a killed run's.
    removeLeftovers();
    if (const QString problem = foreignContent(target_, ownNames_); !problem.isEmpty()) {
        unlock();
        return problem;
    }
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = parent_ + QLatin1Char('/') + partialPrefix()
                                  + QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, QLatin1Char('0'));
        if (::mkdir(native(candidate).constData(), 0777) == 0) {
            staging_ = candidate;
            return {};
        }
        if (errno != EEXIST) {
            const QString why = lastError();
            unlock();
            return QStringLiteral("the folder %1 cannot be written: %2").arg(parent_, why);
        }
    }
    unlock();
    return QStringLiteral("no free name for a new folder in %1").arg(parent_);
}

QString PackFolder::swapIn()
{
    const QByteArray staging = native(staging_);
    const QByteArray target = native(target_);
    struct stat old {};
    if (::lstat(target.constData(), &old) != 0) {
        if (errno != ENOENT)
            return QStringLiteral("%1 cannot be replaced: %2").arg(target_, lastError());
        if (::rename(staging.constData(), target.constData()) != 0)
            return QStringLiteral("%1 cannot be created: %2").arg(target_, lastError());
        staging_.clear();
        return {};
    }
    if (!S_ISDIR(old.st_mode))
        return QStringLiteral("%1 is a file, not a folder").arg(target_);
    // Checked again under the lock: files added since the start are never removed.
    if (const QString problem = foreignContent(target_, ownNames_); !problem.isEmpty())
        return problem;
    ::chmod(staging.constData(), old.st_mode & 07777); // the folder keeps its permissions
    QString replaced = staging_;
    if (::renameat2(AT_FDCWD, staging.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return QStringLiteral("%1 cannot be replaced: %2").arg(target_, lastError());
        // A file system without an atomic exchange: the old pack is moved aside
        // (under a name the next run clears) for the moment of the second rename.
        replaced = staging_ + QStringLiteral("-old");
        if (::rename(target.constData(), native(replaced).constData()) != 0)
            return QStringLiteral("%1 cannot be replaced: %2").arg(target_, lastError());
        if (::rename(staging.constData(), target.constData()) != 0) {
            const QString why = lastError();
            ::rename(native(replaced).constData(), target.constData());
            return QStringLiteral("%1 cannot be replaced: %2").arg(target_, why);
        }
    }
    staging_.clear();
    removeOurs(replaced);
    return {};
}

QString PackFolder::commit()
{
    if (!isOpen())
        return QStringLiteral("the pack was not started");
    const QString problem = swapIn();
    if (problem.isEmpty())
        unlock();
    return problem;
}

void PackFolder::discard()
{
    if (!staging_.isEmpty())
        removeOurs(staging_);
    staging_.clear();
    unlock();
}

} // namespace vm
