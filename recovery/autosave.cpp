#include "recovery/autosave.h"

#include "platform/api/run_time_error.h"
#include "recovery/recovery_store.h"

#include <algorithm>

namespace vm {

namespace {
const QString autosaveCommand = QStringLiteral("autosave");
}

Autosave::Autosave(const RecoverySeams& host, RecoveryStore& store, double intervalSeconds)
    : host_(host), store_(store), intervalMs_(std::max<qint64>(1, qint64(intervalSeconds * 1000)))
{
    writer_.setMaxThreadCount(1);
    timer_.setInterval(int(std::min<qint64>(checkMs, intervalMs_)));
    QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { tick(); });
    host_.dispatcher.on(autosaveCommand, [this](const QString& xml) { received(xml); });
}

Autosave::~Autosave() { finish(); }

void Autosave::start()
{
    if (store_.isOpen())
        timer_.start();
}

void Autosave::finish()
{
    timer_.stop();
    writer_.waitForDone();
}

void Autosave::tick()
{
    host_.trap.run(QStringLiteral("frmMain\\Autosave"), [&] {
        if (!host_.state.isDirty) {
            // Saved, opened or started anew: the old recovery data is stale.
            dirtyClock_.invalidate();
            if (!writing_ && store_.hasOwnData()) {
                store_.discardOwn();
                writtenProject_.clear();
            }
            return;
        }
        if (!dirtyClock_.isValid())
            dirtyClock_.start();
        const bool waiting = requestClock_.isValid() && requestClock_.elapsed() < answerTimeoutMs;
        if (dirtyClock_.elapsed() >= intervalMs_ && !waiting && !writing_)
            requestNow();
    });
}

void Autosave::requestNow()
{
    requestClock_.start();
    host_.toFlash(autosaveCommand, QString());
}

void Autosave::received(const QString& xml)
{
    if (!requestClock_.isValid())
        return; // not asked for
    requestClock_.invalidate();
    // Saved meanwhile: the project file has it all.
    if (!host_.state.isDirty || writing_ || !store_.isOpen())
        return;
    dirtyClock_.start();
    const QString project = host_.state.currentProjectFile;
    const bool newProject = project != writtenProject_;
    writing_ = true;
    writer_.start([this, bytes = xml.toUtf8(), project, newProject] {
        // The project first: a logo on disk always has its project beside it.
        WriteOutcome outcome = newProject ? store_.writeProject(project) : WriteOutcome{};
        if (outcome.ok)
            outcome = store_.writeLogo(bytes);
        QMetaObject::invokeMethod(&context_, [this, outcome, project] { written(outcome, project); },
                                  Qt::QueuedConnection);
    });
}

void Autosave::written(const WriteOutcome& outcome, const QString& project)
{
    writing_ = false;
    if (outcome.ok) {
        writtenProject_ = project;
        failureLogged_ = false;
    } else {
        writtenProject_.clear();
        // Once per run of failures: the next interval tries again anyway.
        if (!failureLogged_)
            host_.trap.report(QStringLiteral("frmMain\\Autosave"), RunTimeError(outcome.errorNumber, outcome.reason));
        failureLogged_ = true;
    }
    if (onWritten)
        onWritten(outcome);
}

} // namespace vm
