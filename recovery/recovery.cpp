#include "recovery/recovery.h"

#include "protocol/field_separator.h"
#include "platform/api/run_time_error.h"

#include <QFileInfo>

namespace vm {

namespace {
const QString offerLabel = QStringLiteral("frmMain\\OfferRecovery");
} // namespace

Recovery::Recovery(const RecoverySeams& host, const RecoverySettings& settings)
    : host_(host), settings_(settings), store_(settings.folder), autosave_(host, store_, settings.intervalSeconds)
{
    // Opened even with autosave off: earlier work is still offered back.
    if (!store_.open())
        host_.trap.report(offerLabel, RunTimeError(error_number::PathFileAccessError, unusableFolder()));
    host_.lifeCycle.on(LifeCycle::ready, [this] { offer(); });
    host_.lifeCycle.on(LifeCycle::ending, [this] { end(); });
}

Recovery::~Recovery() { autosave_.finish(); }

void Recovery::end()
{
    autosave_.finish();
    store_.close();
}

void Recovery::offer()
{
    if (offered_)
        return;
    offered_ = true;
    host_.trap.run(offerLabel, [&] {
        if (!store_.isOpen()) {
            // Said once the window is up: the user should know nothing is autosaved.
            if (settings_.enabled())
                host_.messages.Alert(unusableFolder(), &host_.mainForm);
            return;
        }
        const RecoveryStore::Scan scan = store_.scan(now(), RecoverySettings::keepDays);
        if (!scan.setAside.isEmpty())
            reportSetAside(scan.setAside);
        for (const RecoveryEntry& entry : scan.offers) {
            // Another copy starting just now may have taken it first.
            if (store_.adopt(entry)) {
                ask(entry);
                break;
            }
        }
    });
    if (settings_.enabled())
        autosave_.start();
}

QString Recovery::unusableFolder() const
{
    return QStringLiteral("The recovery folder cannot be used (%1), so unsaved changes are not autosaved.")
        .arg(store_.openFailure());
}

void Recovery::reportSetAside(const QStringList& files)
{
    for (const QString& file : files)
        host_.trap.report(offerLabel, RunTimeError(error_number::PathFileAccessError,
                                                   QStringLiteral("Damaged recovery file set aside: %1").arg(file)));
    host_.messages.Alert(QStringLiteral("A recovery file could not be read and was set aside, so it will not be "
                                        "offered again:\n%1")
                             .arg(files.join(QLatin1Char('\n'))),
                         &host_.mainForm);
}

void Recovery::ask(const RecoveryEntry& entry)
{
    const QString when = entry.savedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QString logo = entry.project == QLatin1String(RecoveryStore::newLogo)
        ? QStringLiteral("the new logo you were working on")
        : QStringLiteral("the logo you were working on (%1)").arg(QFileInfo(entry.project).fileName());
    const QString question = QStringLiteral("Vantamorph did not close properly. Restore %1, as autosaved at %2?")
                                 .arg(logo, when);
    if (host_.messages.MessageBoxYN(question, &host_.mainForm))
        restore(entry.project);
    else
        store_.discardOwn();
}

void Recovery::restore(const QString& project)
{
    // The canvas opens it as it opens a project, then keeps it as unsaved
    // changes of the project file; the recovery file stays until the next
    // autosave replaces it, so a second crash loses nothing either.
    host_.toFlash(QStringLiteral("recover open"), store_.logoPath() + fieldSeparator + project);
    host_.state.currentProjectFile = project;
    host_.state.isDirty = true;
}

} // namespace vm
