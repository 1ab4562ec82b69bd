#include "platform/api/user_places.h"

#include "platform/api/atomic_file.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace vm {

namespace {
const QString ownFolder = QStringLiteral("/vantamorph");
constexpr QFileDevice::Permissions privateFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// A folder made for the user's own files: missing parents too, each new one private.
bool makePrivateFolder(const QString& path)
{
    QStringList missing;
    for (QString folder = QDir::cleanPath(path); !QFileInfo(folder).exists();) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    for (const QString& folder : missing)
        if (!QDir().mkdir(folder) || !QFile::setPermissions(folder, privateFolder))
            return false;
    return QFileInfo(path).isDir() && QFileInfo(path).isWritable();
}
} // namespace

QString overlaidFile(const QString& userRoot, const QString& root, const QString& relative)
{
    if (!userRoot.isEmpty()) {
        const QString own = userRoot + QLatin1Char('/') + relative;
        if (QFileInfo::exists(own))
            return own;
    }
    return root + QLatin1Char('/') + relative;
}

UserPlaces::UserPlaces(const QString& programFolder, bool writable, const QProcessEnvironment& environment)
    : programFolder_(programFolder), perUser_(!writable), environment_(environment)
{
}

bool UserPlaces::canWriteIn(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || info.ownerId() != uint(::geteuid()))
        return false;
    QFile probe(folder + QStringLiteral("/.vantamorph-probe-%1").arg(QCoreApplication::applicationPid()));
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    probe.close();
    return probe.remove();
}

UserPlaces UserPlaces::discover(const QString& programFolder, const QProcessEnvironment& environment)
{
    UserPlaces places(programFolder, true, environment);
    places.perUser_ = !canWriteIn(programFolder) || !canWriteIn(places.installRoot());
    return places;
}

QString UserPlaces::installRoot() const
{
    const qsizetype cut = programFolder_.lastIndexOf(QLatin1Char('/'));
    return cut <= 0 ? QString() : programFolder_.left(cut);
}

QString UserPlaces::xdg(const char* variable, const QString& fallbackBelowHome) const
{
    // Relative values are invalid and ignored, as the base directory rules say.
    const QString value = environment_.value(QString::fromLatin1(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value) + ownFolder;
    QString home = environment_.value(QStringLiteral("HOME"));
    if (home.isEmpty())
        home = QDir::homePath();
    return QDir::cleanPath(home + fallbackBelowHome) + ownFolder;
}

QString UserPlaces::configFolder() const
{
    return perUser_ ? xdg("XDG_CONFIG_HOME", QStringLiteral("/.config")) : programFolder_;
}

QString UserPlaces::logFolder() const
{
    return perUser_ ? xdg("XDG_STATE_HOME", QStringLiteral("/.local/state")) : programFolder_;
}

QString UserPlaces::userRoot() const
{
    return perUser_ ? xdg("XDG_DATA_HOME", QStringLiteral("/.local/share")) : QString();
}

QString UserPlaces::imageFolder() const
{
    return (perUser_ ? userRoot() : installRoot()) + QStringLiteral("/LogoImages");
}

QString UserPlaces::dataFolder() const
{
    return perUser_ ? userRoot() + QStringLiteral("/datasrc") : shippedDataFolder();
}

QString UserPlaces::flashFolder() const
{
    return perUser_ ? userRoot() + QStringLiteral("/flash") : shippedFlashFolder();
}

QString UserPlaces::workBinFolder() const
{
    return perUser_ ? xdg("XDG_CACHE_HOME", QStringLiteral("/.cache")) + QStringLiteral("/bin")
                    : programFolder_ + QStringLiteral("/bin");
}

QString UserPlaces::dataFile(const QString& relative) const
{
    return overlaidFile(userRoot(), installRoot(), QStringLiteral("datasrc/") + relative);
}

QString UserPlaces::flashFile(const QString& relative) const
{
    return overlaidFile(userRoot(), installRoot(), QStringLiteral("flash/") + relative);
}

QString UserPlaces::writableDataFile(const QString& relative, QString* why) const
{
    const QString own = dataFolder() + QLatin1Char('/') + relative;
    if (!perUser_ || QFileInfo::exists(own))
        return own;
    if (!makePrivateFolder(QFileInfo(own).absolutePath())) {
        if (why)
            *why = QStringLiteral("the folder %1 could not be made").arg(QFileInfo(own).absolutePath());
        return QString();
    }
    const QString shipped = shippedDataFolder() + QLatin1Char('/') + relative;
    const BoundedRead read = readBoundedFile(shipped, file_limits::xmlList);
    if (read.failure == ReadFailure::Missing)
        return own;
    const WriteOutcome written = read.ok() ? writeFileAtomically(own, read.bytes)
                                           : WriteOutcome::failure(0, read.reason);
    if (!written.ok) {
        if (why)
            *why = QStringLiteral("%1 could not be copied to %2: %3").arg(shipped, own, written.reason);
        return QString();
    }
    return own;
}

QStringList UserPlaces::prepare()
{
    QStringList problems;
    if (!perUser_)
        return problems;
    for (const QString& folder : {configFolder(), logFolder(), imageFolder(), dataFolder(), flashFolder()})
        if (!makePrivateFolder(folder))
            problems.append(QStringLiteral("the folder %1 could not be made").arg(folder));
    const QString shipped = programFolder_ + QStringLiteral("/App.Config");
    if (!QFileInfo::exists(configFile()) && QFileInfo(configFolder()).isDir()) {
        const BoundedRead read = readBoundedFile(shipped, file_limits::xmlList);
        const WriteOutcome written = read.ok() ? writeFileAtomically(configFile(), read.bytes)
                                               : WriteOutcome::failure(0, read.reason);
        if (!written.ok)
            problems.append(QStringLiteral("%1 could not be copied to %2: %3").arg(shipped, configFile(), written.reason));
    }
    problems_ = problems;
    return problems;
}

} // namespace vm
