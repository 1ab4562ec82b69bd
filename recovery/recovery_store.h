#pragma once

#include "platform/api/atomic_file.h"
#include "platform/api/running_marker.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

// The logo of a copy that is no longer running.
struct RecoveryEntry {
    QString id;
    QString logoPath;
    QString infoPath;
    QString project;   // its project file, or "New"
    QDateTime savedAt; // the last autosave
};

// The per-user recovery folder. Each running copy has an id and three files:
//   ID.lock  the marker it holds while it runs (see RunningMarker)
//   ID.vmp   the last autosaved logo XML, exactly as the canvas gave it
//   ID.json  {"project": PATH or "New"}: where a later Save should write
// A copy's files outlive it only when it did not end cleanly. Files that
// cannot be read are moved into damaged/ so they are reported only once.
// Only names of that pattern and damaged/ are ever touched; a folder that is
// a link is refused, and a set with a marker that cannot be opened, or with a
// member that is not a plain file, is left alone.
class RecoveryStore {
public:
    static constexpr const char* newLogo = "New";

    explicit RecoveryStore(QString folder);

    // Makes the folder and this copy's marker; false, with the reason in
    // openFailure(), when that fails or the folder is a link.
    bool open();
    const QString& openFailure() const { return openFailure_; }
    bool isOpen() const { return marker_.held(); }
    const QString& folder() const { return folder_; }
    const QString& id() const { return id_; }
    QString logoPath() const { return pathOf(id_, QStringLiteral(".vmp")); }
    QString infoPath() const { return pathOf(id_, QStringLiteral(".json")); }

    // This copy's recovery data. Safe to call off the user-interface thread:
    // only this copy's own files are touched.
    WriteOutcome writeLogo(const QByteArray& xml) const;
    WriteOutcome writeProject(const QString& project) const;
    bool hasOwnData() const;
    void discardOwn() const;
    // A clean end: nothing of this copy stays behind.
    void close();

    struct Scan {
        QList<RecoveryEntry> offers; // newest first
        QStringList setAside;        // damaged files, now in damaged/
    };
    // The logos of copies that are no longer running. Removes what is older
    // than keepDays and leftovers without a logo; sets aside damaged files.
    Scan scan(const QDateTime& now, int keepDays);
    // Takes a dead copy's logo over as this copy's own, so a second copy
    // starting at the same time cannot offer it too. False when it is gone.
    bool adopt(const RecoveryEntry& entry) const;

    // What a recovery file must look like to be offered; reason when not. A
    // project that is not an existing logo project comes back as a new logo,
    // so a later Save asks where instead of writing over whatever it names.
    static bool readable(const RecoveryEntry& entry, QString& project, QString& reason);

private:
    QString pathOf(const QString& id, const QString& suffix) const;
    bool plainFiles(const QStringList& names) const;
    void removeFilesOf(const QString& id, const QStringList& names) const;
    void setAside(const QStringList& names, QStringList& moved) const;
    void removeOldDamaged(const QDateTime& now, int keepDays) const;

    QString folder_;
    QString openFailure_;
    QString id_;
    RunningMarker marker_;
};

} // namespace vm
