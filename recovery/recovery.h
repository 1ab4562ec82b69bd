#pragma once

#include "recovery/autosave.h"
#include "recovery/recovery_seams.h"
#include "recovery/recovery_settings.h"
#include "recovery/recovery_store.h"

#include <QDateTime>
#include <functional>

namespace vm {


// Nothing lost when the program or the machine dies. While the logo has
// unsaved changes it is autosaved into this copy's recovery file; a clean end
// removes it. Once the canvas is ready, the logo of a copy that is no longer
// running is offered back, once, with the time of its last autosave: Yes
// opens it through the canvas as unsaved changes of its project file (or of
// a new logo), No discards it.
class Recovery {
public:
    Recovery(const RecoverySeams& host, const RecoverySettings& settings);
    ~Recovery();

    RecoveryStore& store() { return store_; }
    Autosave& autosave() { return autosave_; }

    // The start-up offer; runs once, then autosave starts. Public for tests.
    void offer();
    // The clock the offer reads; tests move it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTimeUtc(); };

private:
    QString unusableFolder() const;
    void reportSetAside(const QStringList& files);
    void ask(const RecoveryEntry& entry);
    void restore(const QString& project);
    void end();

    RecoverySeams host_;
    RecoverySettings settings_;
    RecoveryStore store_;
    Autosave autosave_;
    bool offered_ = false;
};

} // namespace vm
