#include "recovery/recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <pugixml.hpp>

#include <cstdio>

namespace vm {

namespace {
const QString damagedFolder = QStringLiteral("damaged");

QString idOf(const QString& fileName) { return fileName.section(QLatin1Char('.'), 0, 0); }

QDateTime modified(const QString& path) { return QFileInfo(path).lastModified().toUTC(); }
} // namespace

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

QString RecoveryStore::pathOf(const QString& id, const QString& suffix) const
{
    return folder_ + QLatin1Char('/') + id + suffix;
}

bool RecoveryStore::open()
{
    if (!QDir().mkpath(folder_))
        return false;
    // The process id alone could come back after a reboot; the random part cannot.
    id_ = QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
    return marker_.claim(pathOf(id_, QStringLiteral(".lock")));
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
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(QFile::encodeName(entry.logoPath).constData());
    if (!parsed || !document.document_element()) {
        reason = QStringLiteral("the logo is not well-formed XML (%1)").arg(QString::fromUtf8(parsed.description()));
        return false;
    }
    project = QString::fromLatin1(newLogo);
    // Written before the first logo: without it, the logo had no file yet.
    QFile infoFile(entry.infoPath);
    if (!infoFile.exists())
        return true;
    if (!infoFile.open(QIODevice::ReadOnly)) {
        reason = infoFile.errorString();
        return false;
    }
    const QJsonDocument info = QJsonDocument::fromJson(infoFile.readAll());
    const QJsonValue value = info.object().value(QStringLiteral("project"));
    if (!value.isString() || value.toString().isEmpty()) {
        reason = QStringLiteral("its project file entry cannot be read");
        return false;
    }
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
    QDir(folder_).mkpath(damagedFolder);
    for (const QString& name : names) {
        const QString target = folder_ + QLatin1Char('/') + damagedFolder + QLatin1Char('/') + name;
        if (std::rename(QFile::encodeName(folder_ + QLatin1Char('/') + name).constData(),
                        QFile::encodeName(target).constData())
            == 0)
            moved.append(target);
    }
}

void RecoveryStore::removeOldDamaged(const QDateTime& now, int keepDays) const
{
    const QDir damaged(folder_ + QLatin1Char('/') + damagedFolder);
    for (const QFileInfo& file : damaged.entryInfoList(QDir::Files | QDir::Hidden))
        if (file.lastModified().toUTC().daysTo(now) > keepDays)
            QFile::remove(file.filePath());
}

RecoveryStore::Scan RecoveryStore::scan(const QDateTime& now, int keepDays)
{
    Scan result;
    removeOldDamaged(now, keepDays);
    QHash<QString, QStringList> filesById;
    for (const QString& name : QDir(folder_).entryList(QDir::Files | QDir::Hidden))
        filesById[idOf(name)].append(name);

    for (auto copy = filesById.cbegin(); copy != filesById.cend(); ++copy) {
        const QString& id = copy.key();
        const QStringList& names = copy.value();
        if (id == id_ || RunningMarker::isHeldByOther(pathOf(id, QStringLiteral(".lock"))))
            continue;
        RecoveryEntry entry{id, pathOf(id, QStringLiteral(".vmp")), pathOf(id, QStringLiteral(".json")), {}, {}};
        if (!QFileInfo::exists(entry.logoPath)) {
            removeFilesOf(id, names); // a marker, a half-written file: nothing to offer
            continue;
        }
        entry.savedAt = modified(entry.logoPath);
        if (entry.savedAt.daysTo(now) > keepDays) {
            removeFilesOf(id, names);
            continue;
        }
        QString reason;
        if (!readable(entry, entry.project, reason)) {
            QStringList kept;
            for (const QString& name : names)
                if (name == id + QStringLiteral(".vmp") || name == id + QStringLiteral(".json"))
                    kept.append(name);
            setAside(kept, result.setAside);
            removeFilesOf(id, names);
            continue;
        }
        result.offers.append(entry);
    }
    std::sort(result.offers.begin(), result.offers.end(),
              [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.savedAt > b.savedAt; });
    return result;
}

bool RecoveryStore::adopt(const RecoveryEntry& entry) const
{
    // Only one copy's rename of the logo can succeed: that copy owns it now.
    if (std::rename(QFile::encodeName(entry.logoPath).constData(), QFile::encodeName(logoPath()).constData()) != 0)
        return false;
    if (QFileInfo::exists(entry.infoPath))
        std::rename(QFile::encodeName(entry.infoPath).constData(), QFile::encodeName(infoPath()).constData());
    const QStringList leftovers = QDir(folder_).entryList({entry.id + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    removeFilesOf(entry.id, leftovers);
    return true;
}

} // namespace vm
