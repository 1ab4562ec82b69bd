#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// Windows command-line splitting: whitespace separates arguments, double
// quotes group, 2n backslashes before a quote give n backslashes and the quote
// acts, 2n+1 give n backslashes and a literal quote, other backslashes are
// literal, and "" inside a quoted part is a literal quote.
QStringList splitCommandLine(const QString& commandLine);
// One argument quoted so that splitCommandLine gives it back unchanged; in
// double quotes only when it needs them, or always.
QString quoteCommandLineArgument(const QString& argument, bool alwaysQuoted = false);
// A path or argument in double quotes whatever it holds, as the converter's and
// the font compiler's command lines have always written them.
inline QString quotedArgument(const QString& argument) { return quoteCommandLineArgument(argument, true); }

// Starts external tools from a command line, never through a shell.
class ProcessRunner {
public:
    static constexpr int noTimeLimit = -1;

    virtual ~ProcessRunner() = default;
    // Starts the command line and waits until it ends or timeoutMs has passed
    // (noTimeLimit: no limit). False at once when the start failed. The show
    // state and creation flags are Windows hints; a desktop without them
    // ignores what it cannot honour.
    virtual bool runProcess(const QString& commandLine, const QString& currentFolder, int timeoutMs, int showState,
                            int creationFlags) = 0;
    // Starts the command line in the caller's folder, waits without limit and
    // returns its exit code (-1 when it could not start or crashed).
    virtual int runForExitCode(const QString& commandLine) = 0;
    // The same with currentFolder as the tool's current folder. Runners whose
    // tools never look at their folder need not tell the two apart.
    virtual int runForExitCodeIn(const QString& commandLine, const QString& currentFolder)
    {
        return runForExitCode(commandLine);
    }
};

} // namespace vm
