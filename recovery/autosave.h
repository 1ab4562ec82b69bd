#pragma once

#include "platform/api/atomic_file.h"
#include "recovery/recovery_seams.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>

namespace vm {

class RecoveryStore;

// Writes the canvas's logo XML into this copy's recovery file while the logo
// has unsaved changes, once per interval, and removes it as soon as nothing
// is unsaved. The XML comes from the canvas: the host sends "autosave" and
// the canvas answers "autosave" with the XML; neither touches the project
// file or IsDirty. The write runs on a thread of its own (it waits for the
// disk), so the editor goes on meanwhile; at most one is in flight.
class Autosave {
public:
    Autosave(const RecoverySeams& host, RecoveryStore& store, double intervalSeconds);
    ~Autosave();

    void start();
    // Stops asking and waits for the write in flight (the program is ending).
    void finish();

    // Asks the canvas for the logo now (benchmark, tests).
    void requestNow();
    // Called after each write with its outcome, on the user-interface thread.
    std::function<void(const WriteOutcome&)> onWritten;

    // How often unsaved changes are checked: fine enough to remove stale
    // recovery data soon after a save, coarse enough to cost nothing.
    static constexpr int checkMs = 250;
    // A canvas that never answers must not stop autosave for good.
    static constexpr int answerTimeoutMs = 10000;

private:
    void tick();
    void received(const QString& xml);
    void written(const WriteOutcome& outcome, const QString& project);

    RecoverySeams host_;
    RecoveryStore& store_;
    qint64 intervalMs_;
    QObject context_;
    QTimer timer_;
    QThreadPool writer_;
    QElapsedTimer dirtyClock_;   // since the last autosave or since the changes began
    QElapsedTimer requestClock_; // valid while a request waits for its answer
    bool writing_ = false;
    bool failureLogged_ = false;
    QString writtenProject_;     // the project the info file names
};

} // namespace vm
