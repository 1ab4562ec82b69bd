#include "app/scripting/script_session.h"

#include "canvas/player/movie_player.h"
#include "platform/api/trace.h"
#include "platform/scripted/answer_queue.h"
#include "platform/scripted/key_names.h"
#include "shell/host.h"

#include <exception>

namespace vm {

namespace {
QString flag(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

ScriptSession::ScriptSession(Host& host, MoviePlayer& canvas, MoviePlayer& bitmap, AnswerQueue& answers,
                             Trace& trace, QList<Statement> statements)
    : host_(host), canvas_(canvas), bitmap_(bitmap), answers_(answers), trace_(trace),
      statements_(std::move(statements))
{
    // "wait ready": the canvas has enabled the menus.
    // Plugged in before the subsystems: the session knows the canvas is ready
    // before a subsystem asks the user anything then.
    host_.lifeCycle.on(LifeCycle::ready, [this] { ready_ = true; });
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { step(); });
}

void ScriptSession::waitFor(const QString& what)
{
    waitUntil(what, [this, what] {
        return what == QLatin1String("ready") ? ready_ : !host_.platform.forms.modalOpen();
    });
}

bool ScriptSession::waitUntil(const QString& what, const std::function<bool()>& done)
{
    // Polled from the event loop, so the program goes on meanwhile.
    if (done()) {
        waitClock_.invalidate();
        timer_.start(0);
        return true;
    }
    if (!waitClock_.isValid())
        waitClock_.start();
    if (waitClock_.elapsed() > longestConditionWaitMs) {
        trace_.write(QStringLiteral("wait ") + what + QStringLiteral(" -> timed out"));
        waitClock_.invalidate();
        timer_.start(0);
        return false;
    }
    --next_; // the same statement again, a little later
    timer_.start(conditionPollMs);
    return false;
}

void ScriptSession::start()
{
    next_ = 0;
    finished_ = false;
    timer_.start(0);
}

void ScriptSession::step()
{
    if (finished_)
        return;
    if (next_ >= statements_.size()) {
        finish();
        return;
    }
    const Statement statement = statements_[next_++];
    if (statement.kind == Statement::Kind::Canvas || statement.kind == Statement::Kind::Bitmap) {
        // A movie still on its way is waited for; one that failed to load is not.
        MoviePlayer& player = statement.kind == Statement::Kind::Canvas ? canvas_ : bitmap_;
        if (player.movie().isEmpty() && !waitUntil(QStringLiteral("movie"), [&player] { return !player.movie().isEmpty(); })
            && waitClock_.isValid())
            return;
    }
    if (statement.kind == Statement::Kind::Wait) {
        const QString what = statement.args.value(0);
        if (what == QLatin1String("ready") || what == QLatin1String("idle"))
            waitFor(what);
        else
            timer_.start(what.toInt());
        return;
    }
    // Armed before the statement runs: when it opens a modal window, the next
    // statement runs inside that window's loop, as the user's next action would.
    timer_.start(0);
    try {
        execute(statement);
    } catch (const std::exception& failure) {
        trace_.write(QStringLiteral("error ") + QString::number(statement.line) + QLatin1Char(' ')
                     + Trace::quote(QString::fromUtf8(failure.what())));
    } catch (...) {
        trace_.write(QStringLiteral("error ") + QString::number(statement.line) + QLatin1Char(' ')
                     + Trace::quote(QStringLiteral("statement failed")));
    }
}

void ScriptSession::execute(const Statement& statement)
{
    using Kind = Statement::Kind;
    const QString first = statement.args.value(0);
    MenuItems& menu = host_.menuItems;
    switch (statement.kind) {
    case Kind::Canvas: raise(canvas_, QStringLiteral("canvas"), statement); break;
    case Kind::Bitmap: raise(bitmap_, QStringLiteral("bitmap"), statement); break;
    case Kind::Menu: {
        const QString prefix = QStringLiteral("menu ") + Trace::quote(first);
        const int id = menu.FindItem(first);
        if (id == 0)
            trace_.write(prefix + QStringLiteral(" -> missing"));
        else
            clickMenuItem(prefix, id);
        break;
    }
    case Kind::Key: {
        const QString prefix = QStringLiteral("key ") + Trace::quote(first);
        const std::optional<KeyChord> chord = parseKeyName(first);
        const int id = chord ? menu.findShortcut(chord->shift, chord->keyCode) : 0;
        if (id == 0)
            trace_.write(prefix + QStringLiteral(" -> none"));
        else
            clickMenuItem(prefix + QStringLiteral(" -> ") + Trace::quote(menu.ItemKey(id)), id);
        break;
    }
    case Kind::Answer:
        if (const std::optional<AnswerQueue::Kind> kind = AnswerQueue::kindFromName(first))
            answers_.push(*kind, statement.args.value(1));
        break;
    case Kind::Click: {
        // A control of a window the program shows, such as the publish dialog's options.
        const QString line = QStringLiteral("click ") + Trace::quote(first) + QLatin1Char(' ')
                             + Trace::quote(statement.args.value(1));
        Form* form = host_.platform.forms.loadedForm(first);
        trace_.write(form ? line : line + QStringLiteral(" -> not loaded"));
        if (form && statement.args.value(1) == closeBoxControl)
            form->closeBox();
        else if (form)
            form->click(statement.args.value(1));
        break;
    }
    case Kind::Gallery: {
        const bool leaving = statement.args.isEmpty();
        const QString line = leaving ? QStringLiteral("gallery cancel")
                                     : QStringLiteral("gallery ") + Trace::quote(first) + QLatin1Char(' ')
                                           + Trace::quote(statement.args.value(1));
        const QString outcome = gallery_ ? gallery_(first, statement.args.value(1)) : QStringLiteral("no gallery");
        trace_.write(outcome.isEmpty() ? line : line + QStringLiteral(" -> ") + outcome);
        break;
    }
    case Kind::Close:
        trace_.write(QStringLiteral("close"));
        host_.mainForm.closeBox();
        break;
    case Kind::DumpMenu: dumpMenu(); break;
    case Kind::DumpState: dumpState(); break;
    case Kind::Error:
        trace_.write(QStringLiteral("error ") + QString::number(statement.line) + QLatin1Char(' ') + Trace::quote(first));
        break;
    case Kind::Wait: break;
    }
}

void ScriptSession::raise(MoviePlayer& player, const QString& name, const Statement& statement)
{
    const QString command = statement.args.value(0);
    const QString argument = statement.args.value(1);
    const QString line = name + QLatin1Char(' ') + Trace::quote(command) + QLatin1Char(' ') + Trace::quote(argument);
    // An empty player raises nothing, whatever its movie would have said.
    if (!player.isLoaded()) {
        trace_.write(line + QStringLiteral(" -> no movie"));
        return;
    }
    trace_.write(line);
    player.raise(command, argument);
}

void ScriptSession::clickMenuItem(const QString& prefix, int id)
{
    MenuItems& menu = host_.menuItems;
    if (!menu.isReachable(id)) {
        trace_.write(prefix + QStringLiteral(" -> disabled"));
        return;
    }
    trace_.write(prefix);
    menu.click(id);
}

void ScriptSession::dumpMenu()
{
    for (const MenuItem& item : host_.menuItems.items())
        trace_.write(QStringLiteral("item ") + Trace::quote(item.key) + QStringLiteral(" parent=")
                     + Trace::quote(item.parent) + QStringLiteral(" caption=") + Trace::quote(item.caption)
                     + QStringLiteral(" enabled=") + QString::number(item.enabled ? 1 : 0)
                     + QStringLiteral(" checked=") + QString::number(item.checked));
}

void ScriptSession::dumpState()
{
    const HostState& state = host_.state;
    const auto write = [&](const char* name, const QString& shown) {
        trace_.write(QStringLiteral("state ") + QLatin1String(name) + QLatin1Char(' ') + shown);
    };
    const auto text = [&](const char* name, const QString& value) { write(name, Trace::quote(value)); };
    const auto boolean = [&](const char* name, bool value) { write(name, flag(value)); };
    text("CurrentProjectFile", state.currentProjectFile);
    boolean("IsDirty", state.isDirty);
    boolean("SaveRequested", state.saveRequested);
    boolean("SaveNotCancelled", state.saveNotCancelled);
    boolean("OpenAfterSave", state.openAfterSave);
    text("PendingOpenPath", state.pendingOpenPath);
    boolean("PublishAfterSave", state.publishAfterSave);
    boolean("KeepTempFolder", state.keepTempFolder);
    text("ImageFolder", state.imageFolder);
    text("CurrentImageName", state.currentImageName);
    text("TempRoot", state.tempRoot);
    text("InstallRoot", state.installRoot);
    boolean("QuickPublishing", state.quickPublishing);
    boolean("FontListSent", state.fontListSent);
    // Only an install the program may not write has places of the user's own to show.
    if (const UserPlaces& places = state.places; places.perUser()) {
        text("UserConfig", places.configFile());
        text("UserLog", places.logFolder());
        text("UserData", places.userRoot());
    }
}

void ScriptSession::finish()
{
    finished_ = true;
    timer_.stop();
    // Answers left over usually mean the program asked less than the script expected.
    for (const auto& [kind, value] : answers_.remaining())
        trace_.write(QStringLiteral("unused answer ") + AnswerQueue::kindName(kind) + QLatin1Char(' ')
                     + Trace::quote(value));
    host_.endProgram();
}

} // namespace vm
