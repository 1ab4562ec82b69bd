#pragma once

#include "platform/api/spooler.h"

#include <QJsonObject>
#include <functional>

namespace vm {

// The per-user spooler: one JSON file, read afresh on every call so that two
// running programs (and the printer helper) see each other's changes. Every
// change runs under a lock file and replaces the file atomically; a change
// that leaves the contents as they were writes nothing. A file that cannot be
// read is reported, kept beside it as ".corrupt" and rebuilt empty.
class FileSpooler : public Spooler {
public:
    using Reporter = std::function<void(const QString& problem)>;

    // The store lives in `folder`; see defaultFolder().
    explicit FileSpooler(QString folder, Reporter report = {});

    // $VANTAMORPH_SPOOLER_DIR when set, else $XDG_CONFIG_HOME/Vantamorph
    // (~/.config/Vantamorph).
    static QString defaultFolder();
    QString filePath() const;

    QList<PrinterInfo> printers() override;
    QString profileDevice() override;
    bool setDefaultPrinter(const QString& name) override;
    QString pendingRestore() override;
    bool switchDefaultPrinter(const QString& name, const QString& restoreTo) override;
    bool addPrinter(const QString& name, const QString& driver, const QString& port) override;
    std::optional<PrinterInfo> printer(const QString& name) override;
    bool setPrinter(const QString& name, quint32 access, const PrinterInfo& info) override;

private:
    QJsonObject read();
    // Runs change on the current contents under the lock; writes when it
    // returns true and the contents differ.
    bool update(const std::function<bool(QJsonObject&)>& change);
    bool write(const QJsonObject& store);

    QString folder_;
    Reporter report_;
};

} // namespace vm
