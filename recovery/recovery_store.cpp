#include "recovery/recovery_store.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "recovery/recovery_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace vm {

using recovery_files::idOf;
using recovery_files::Kind;
using recovery_files::kindOf;

namespace {
const QString damagedFolder = QStringLiteral("damaged");

// The names of ours in folder, whatever each is; nothing else is listed.
QStringList ownNames(const QString& folder, const QStringList& filter = {})
{
    QStringList names = QDir(folder).entryList(filter, QDir::AllEntries | QDir::Hidden | QDir::System
                                                          | QDir::NoDotAndDotDot);
    names.removeIf([](const QString& name) { return !recovery_files::isOwnName(name); });
    return names;
}

QDateTime modified(const QString& path) { return QFileInfo(path).lastModified().toUTC(); }
} // namespace

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

QString RecoveryStore::pathOf(const QString& id, const QString& suffix) const
{
    return folder_ + QLatin1Char('/') + id + suffix;
}

bool RecoveryStore::open()
{
    // Never through a link: the clean-up would work on the folder it names.
    if (kindOf(folder_) != Kind::Missing && !recovery_files::isRealFolder(folder_, openFailure_))
        return false;
    if (!QDir().mkpath(folder_)) {
        openFailure_ = QStringLiteral("%1 cannot be made").arg(folder_);
        return false;
    }
    if (!recovery_files::isRealFolder(folder_, openFailure_))
        return false;
    // The process id alone could come back after a reboot; the random part cannot.
    id_ = QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
    if (!marker_.claim(pathOf(id_, QStringLiteral(".lock")))) {
        openFailure_ = QStringLiteral("%1 cannot be written").arg(folder_);
        return false;
    }
    return true;
}

WriteOutcome RecoveryStore::writeLogo(const QByteArray& xml) const
{
    return writeFileAtomically(logoPath(), xml, Durability::Synced);
}

WriteOutcome RecoveryStore::writeProject(const QString& project) const
{
    const QJsonObject info{{QStringLiteral("project"), project}};
    return writeFileAtomically(infoPath(), QJsonDocument(info).toJson(QJsonDocument::Compact), Durability::Synced);
}

bool RecoveryStore::hasOwnData() const { return QFileInfo::exists(logoPath()); }

void RecoveryStore::discardOwn() const
{
    QFile::remove(logoPath());
    QFile::remove(infoPath());
}

void RecoveryStore::close()
{
    if (!isOpen())
        return;
    discardOwn();
    marker_.release();
}

bool RecoveryStore::readable(const RecoveryEntry& entry, QString& project, QString& reason)
{
    const BoundedRead logo = readBoundedFile(entry.logoPath, file_limits::recoveryLogo);
    if (!logo.ok()) {
        reason = logo.reason;
        return false;
    }
    if (!recovery_files::isLogo(logo.bytes, reason))
        return false;
    project = QString::fromLatin1(newLogo);
    // Written before the first logo: without it, the logo had no file yet.
    const BoundedRead info = readBoundedFile(entry.infoPath, file_limits::recoveryInfo);
    if (info.failure == ReadFailure::Missing)
        return true;
    if (!info.ok()) {
        reason = info.reason;
        return false;
    }
    const QJsonValue value = QJsonDocument::fromJson(info.bytes).object().value(QStringLiteral("project"));
    if (!value.isString() || value.toString().isEmpty()) {
        reason = QStringLiteral("its project file entry cannot be read");
        return false;
    }
    // A record can name any file; a Save writes over it only when it is a logo project.
    if (recovery_files::isLogoProject(value.toString()))
        project = value.toString();
    return true;
}

void RecoveryStore::removeFilesOf(const QString& id, const QStringList& names) const
{
    for (const QString& name : names)
        if (idOf(name) == id)
            QFile::remove(folder_ + QLatin1Char('/') + name);
}

void RecoveryStore::setAside(const QStringList& names, QStringList& moved) const
{
    const QString damaged = folder_ + QLatin1Char('/') + damagedFolder;
    QString reason;
    ::mkdir(QFile::encodeName(damaged).constData(), 0700);
    if (!recovery_files::isRealFolder(damaged, reason))
        return; // not ours to fill: the files stay where they are
    for (const QString& name : names) {
        const QString target = damaged + QLatin1Char('/') + name;
        if (std::rename(QFile::encodeName(folder_ + QLatin1Char('/') + name).constData(),
                        QFile::encodeName(target).constData())
            == 0)
            moved.append(target);
    }
}

void RecoveryStore::removeOldDamaged(const QDateTime& now, int keepDays) const
{
    const QString damaged = folder_ + QLatin1Char('/') + damagedFolder;
    QString reason;
    if (!recovery_files::isRealFolder(damaged, reason))
        return;
    for (const QString& name : ownNames(damaged)) {
        const QString path = damaged + QLatin1Char('/') + name;
        if (kindOf(path) == Kind::File && modified(path).daysTo(now) > keepDays)
            QFile::remove(path);
    }
}

RecoveryStore::Scan RecoveryStore::scan(const QDateTime& now, int keepDays)
{
    Scan result;
    QString reason;
    if (!recovery_files::isRealFolder(folder_, reason))
        return result; // made a link since open(): nothing in it is ours
    removeOldDamaged(now, keepDays);
    QHash<QString, QStringList> filesById;
    for (const QString& name : ownNames(folder_))
        filesById[idOf(name)].append(name);

    for (auto copy = filesById.cbegin(); copy != filesById.cend(); ++copy) {
        const QString& id = copy.key();
        const QStringList& names = copy.value();
        // Running, or a marker we cannot open: another copy's, maybe another user's.
        if (id == id_ || RunningMarker::holderOf(pathOf(id, QStringLiteral(".lock"))) != RunningMarker::Holder::Nobody)
            continue;
        if (!plainFiles(names))
            continue; // a link, a pipe or a folder under one of our names is not ours
        // A marker holds a process id and nothing more: a larger one is damaged.
        qint64 lockSize = 0;
        if (kindOf(pathOf(id, QStringLiteral(".lock")), &lockSize) == Kind::File && lockSize > file_limits::recoveryLock)
            setAside({id + QStringLiteral(".lock")}, result.setAside);
        RecoveryEntry entry{id, pathOf(id, QStringLiteral(".vmp")), pathOf(id, QStringLiteral(".json")), {}, {}};
        if (kindOf(entry.logoPath) == Kind::Missing) {
            removeFilesOf(id, names); // a marker, a half-written file: nothing to offer
            continue;
        }
        entry.savedAt = modified(entry.logoPath);
        if (entry.savedAt.daysTo(now) > keepDays) {
            removeFilesOf(id, names);
            continue;
        }
        if (!readable(entry, entry.project, reason)) {
            QStringList kept;
            for (const QString& name : names)
                if (name == id + QStringLiteral(".vmp") || name == id + QStringLiteral(".json"))
                    kept.append(name);
            setAside(kept, result.setAside);
            // What could not be set aside stays: it may be all that is left of the work.
            QStringList rest = names;
            rest.removeIf([&](const QString& name) { return kept.contains(name); });
            removeFilesOf(id, rest);
            continue;
        }
        result.offers.append(entry);
    }
    std::sort(result.offers.begin(), result.offers.end(),
              [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.savedAt > b.savedAt; });
    return result;
}

bool RecoveryStore::plainFiles(const QStringList& names) const
{
    return std::all_of(names.begin(), names.end(),
                       [&](const QString& name) { return kindOf(folder_ + QLatin1Char('/') + name) == Kind::File; });
}

bool RecoveryStore::adopt(const RecoveryEntry& entry) const
{
    // Only one copy's rename of the logo can succeed: that copy owns it now.
    if (std::rename(QFile::encodeName(entry.logoPath).constData(), QFile::encodeName(logoPath()).constData()) != 0)
        return false;
    if (QFileInfo::exists(entry.infoPath))
        std::rename(QFile::encodeName(entry.infoPath).constData(), QFile::encodeName(infoPath()).constData());
    removeFilesOf(entry.id, ownNames(folder_, {entry.id + QStringLiteral(".*")}));
    return true;
}

} // namespace vm
