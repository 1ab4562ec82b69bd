#pragma once

#include "app/scripting/script_session.h"
#include "platform/scripted/answer_queue.h"
#include "platform/scripted/scripted_form_presenter.h"
#include "platform/scripted/scripted_shell_opener.h"
#include "platform/scripted/scripted_system_dialogs.h"
#include "tests/unit/shell/host_fixture.h"

#include <QEventLoop>
#include <QTimer>

namespace vm::test {

// Records the exit instead of ending the test, and stops the session's loop.
struct StoppingProcessControl : ProcessControl {
    QList<int> exits;
    QEventLoop* loop = nullptr;
    void endProcess(int exitCode) override
    {
        exits.append(exitCode);
        if (loop)
            loop->quit();
    }
};

// The real host in a temporary program folder, with the scripted platform.
// Nothing starts until run().
struct Session {
    // A throw-away install tree: ROOT/Vantamorph with the shipped texts, ROOT/flash with both movies.
    explicit Session(bool withMovies = true)
    {
        os.documents = root.path() + QStringLiteral("/Documents");
        QDir().mkpath(os.documents);
        if (withMovies)
            for (const char* movie : {"/flash/LogoMain.swf", "/flash/DrawBitmap.swf"})
                writeFile(root.path() + QLatin1String(movie), minimalMovie());
    }

    // Runs the script from the start of the program to its exit.
    QStringList run(const char* script)
    {
        QEventLoop loop;
        process.loop = &loop;
        ScriptSession session(host, canvas, bitmap, answers, trace, ScriptParser::parse(script));
        host.start();
        session.start();
        QTimer::singleShot(10000, &loop, [&] { ADD_FAILURE() << "the session did not end"; loop.quit(); });
        loop.exec();
        process.loop = nullptr;
        return trace.lines;
    }

    QTemporaryDir root;
    QString programFolder = makeProgramFolder(root);
    RecordingTrace trace;
    AnswerQueue answers;
    WindowRegistry windows;
    ScriptedFormPresenter forms{windows, trace, answers};
    ScriptedSystemDialogs dialogs{trace, answers};
    FakeOsFacts os;
    FakeRights rights;
    ScriptedShellOpener shell{trace};
    FakeNetworkInfo network;
    StoppingProcessControl process;
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, trace};
    StartupCanvas canvas{QStringLiteral("skwFlash"), trace};
    MoviePlayer bitmap{QStringLiteral("ShockwaveFlash1"), trace};
    Host host{platform, canvas, bitmap, programFolder};
};

} // namespace vm::test
