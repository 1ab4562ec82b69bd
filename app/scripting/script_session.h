#pragma once

#include "platform/scripted/script_parser.h"

#include <QList>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace vm {

class AnswerQueue;
class Host;
class MoviePlayer;
class Trace;

// Plays a script against the running program: one statement at a time from
// the event loop, so the program's timers, canvas announcements and modal
// windows go on in between, as they do for a user. When the script runs
// out, the program ends.
//
// Written to the transcript: the script's own actions (canvas and bitmap
// commands, menu clicks, keys, close), what could not be done, dumps, script
// errors, and answers no question took.
class ScriptSession {
public:
    ScriptSession(Host& host, MoviePlayer& canvas, MoviePlayer& bitmap, AnswerQueue& answers, Trace& trace,
                  QList<Statement> statements);

    void start();
    // Who answers the gallery statement: the canvas's template gallery, given
    // the category and name (both empty to leave it); it returns "" when done,
    // or why not. Without one the statement is reported as having no gallery.
    using GalleryHandler = std::function<QString(const QString& category, const QString& name)>;
    void setGalleryHandler(GalleryHandler handler) { gallery_ = std::move(handler); }
    bool finished() const { return finished_; }

private:
    void step();
    void execute(const Statement& statement);
    void raise(MoviePlayer& player, const QString& name, const Statement& statement);
    void clickMenuItem(const QString& prefix, int id);
    void dumpMenu();
    void dumpState();
    void finish();
    void waitFor(const QString& what);
    // Runs the current statement again a little later until done() holds or
    // a minute has passed; true when the statement may go on now.
    bool waitUntil(const QString& what, const std::function<bool()>& done);
    // The control name that presses a window's close box in a click statement.
    static inline const QString closeBoxControl = QStringLiteral("(close)");

    static constexpr int conditionPollMs = 10;
    static constexpr int longestConditionWaitMs = 60000;

    Host& host_;
    MoviePlayer& canvas_;
    MoviePlayer& bitmap_;
    AnswerQueue& answers_;
    Trace& trace_;
    QList<Statement> statements_;
    qsizetype next_ = 0;
    bool finished_ = false;
    QTimer timer_;
    QElapsedTimer waitClock_;
    bool ready_ = false;
    GalleryHandler gallery_;
};

} // namespace vm
