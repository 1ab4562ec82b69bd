#pragma once

#include "tests/support/test_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm::e2e {

using test::readFile;
using test::writeFile;

// A script string: the text in quotes, its backslashes and quotes escaped.
inline QByteArray quoted(const QString& text)
{
    return '"' + text.toUtf8().replace("\\", "\\\\").replace("\"", "\\\"") + '"';
}

// A copy of the built program tree (InstallRoot with the program folder) in a
// temporary folder, so each test has its own history, error log and files.
class InstalledProgram {
public:
    InstalledProgram()
    {
        // Recovery data of its own: sessions never see another test's or the user's.
        environment.insert(QStringLiteral("XDG_STATE_HOME"), root.path() + QStringLiteral("/state"));
        // Installed fonts of its own, none unless a test adds them, and a font cache of its own.
        QDir().mkpath(fontsFolder());
        environment.insert(QStringLiteral("windir"), root.path() + QStringLiteral("/windows"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), root.path() + QStringLiteral("/cache"));
        const QString source = QStringLiteral(VM_DIST_DIR);
        QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString target = root.path() + path.mid(source.size());
            const QFileInfo info = it.fileInfo();
            if (info.isSymLink())
                QFile::link(info.symLinkTarget(), target);
            // Sessions draw only our own symbols; the library's 1,500 others (checked by the
            // data tests) would make every copy and its removal take seconds.
            else if (isLibrarySymbol(path.mid(source.size())))
                continue;
            else if (info.isDir())
                QDir().mkpath(target);
            else
                QFile::copy(path, target);
        }
        // A private runtime folder per program: sessions running side by side
        // must not share (and delete) each other's work folder.
        const QString runtime = root.path() + QStringLiteral("/run");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    }

    static bool isLibrarySymbol(const QString& relative)
    {
        static const QStringList own = {"/datasrc/ClipArts/Geometric/", "/datasrc/ClipArts/Nature/",
                                        "/datasrc/ClipArts/Business/", "/datasrc/ClipArts/Abstract/"};
        return relative.startsWith(QLatin1String("/datasrc/ClipArts/")) && relative.endsWith(QLatin1String(".svg"))
               && std::none_of(own.begin(), own.end(), [&](const QString& folder) { return relative.startsWith(folder); });
    }

    QString root_path() const { return root.path(); }
    QString fontsFolder() const { return root.path() + QStringLiteral("/windows/Fonts"); }
    QString installRoot() const { return root.path() + QStringLiteral("/"); }
    QString programFolder() const { return root.path() + QStringLiteral("/Vantamorph"); }
    QString file(const QString& relative) const { return programFolder() + QLatin1Char('/') + relative; }

    struct Result {
        int exitCode = -1;
        QStringList transcript;
        QByteArray errors;

        bool has(const QString& part) const
        {
            return std::any_of(transcript.begin(), transcript.end(), [&](const QString& line) { return line.contains(part); });
        }
        // Everything the session said, for failure messages.
        std::string shown() const
        {
            return (transcript.join(QLatin1Char('\n')) + QLatin1Char('\n') + QString::fromUtf8(errors)).toStdString();
        }
    };

    // Runs a script and waits for the program to end.
    Result run(const QByteArray& script, const QString& desktop = QString(), int timeoutMs = 20000) const
    {
        QProcess process;
        startScript(process, script, desktop);
        Result result;
        result.exitCode = finish(process, timeoutMs);
        result.transcript = transcriptOf(process);
        result.errors = process.readAllStandardError();
        return result;
    }

    struct Output {
        int exitCode = -1;
        QByteArray output;
        QByteArray errors;
    };
    // Starts the program with these arguments as from a terminal without a display.
    void startInTerminal(QProcess& process, const QStringList& arguments) const
    {
        QProcessEnvironment terminal = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            terminal.remove(QLatin1String(name));
        process.setProcessEnvironment(terminal);
        startProgram(process, arguments);
        process.waitForStarted();
    }
    // Waits for it: a hang fails the test instead of holding it.
    static Output outputOf(QProcess& process, int timeoutMs = 60000)
    {
        const int exitCode = finish(process, timeoutMs);
        return {exitCode, process.readAllStandardOutput(), process.readAllStandardError()};
    }
    Output runInTerminal(const QStringList& arguments) const
    {
        QProcess process;
        startInTerminal(process, arguments);
        return outputOf(process);
    }

    // Waits for the end (a kill after timeoutMs); the exit code, -1 for a crash or a kill.
    static int finish(QProcess& process, int timeoutMs)
    {
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Extra arguments and environment for every session of this program, and
    // the command (with its arguments) that starts it, when not started directly.
    QStringList extraArguments;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList launcher;

    void startProgram(QProcess& process, const QStringList& arguments) const
    {
        const QString program = programFolder() + QStringLiteral("/vantamorph");
        if (launcher.isEmpty())
            process.start(program, arguments);
        else
            process.start(launcher.first(), launcher.mid(1) + QStringList{program} + arguments);
    }

    void startScript(QProcess& process, const QByteArray& script, const QString& desktop) const
    {
        const QString scriptPath = root.path() + QStringLiteral("/script-%1.txt").arg(++scripts_);
        QFile scriptFile(scriptPath);
        scriptFile.open(QIODevice::WriteOnly);
        scriptFile.write(script);
        scriptFile.close();
        QStringList arguments{QStringLiteral("--script"), scriptPath, QStringLiteral("--transcript"),
                              scriptPath + QStringLiteral(".out")};
        if (!desktop.isEmpty())
            arguments << QStringLiteral("--desktop") << desktop;
        arguments << extraArguments;
        process.setProcessEnvironment(environment);
        process.setProperty("transcript", scriptPath + QStringLiteral(".out"));
        startProgram(process, arguments);
        process.waitForStarted();
    }

    static QStringList transcriptOf(const QProcess& process)
    {
        QFile file(process.property("transcript").toString());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QByteArray errorLog() const
    {
        QFile log(file(QStringLiteral("Error.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

private:
    QTemporaryDir root;
    mutable int scripts_ = 0;
};

// Sessions that publish: the print-to-file printer installed in a spooler of the program's own.
inline void installOwnPrinter(InstalledProgram& program)
{
    program.environment.insert(QStringLiteral("VANTAMORPH_SPOOLER_DIR"), program.root_path() + QStringLiteral("/spool"));
    QProcess installer;
    installer.setProcessEnvironment(program.environment);
    installer.start(program.file(QStringLiteral("VantamorphPrinter")), {});
    ASSERT_TRUE(installer.waitForFinished(10000));
    ASSERT_EQ(installer.exitCode(), 0);
}

inline void useRealCanvasAndOwnPrinter(InstalledProgram& program)
{
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    installOwnPrinter(program);
}

// For tests running as root: a launcher that runs the program as nobody
// (setpriv), and the user names in its environment. Returns why that cannot
// be, empty when it can: nobody, nogroup and setpriv must exist, and every
// folder above folder must be searchable by others.
inline QString dropRootToNobody(const QString& folder, QProcessEnvironment& environment, QStringList& launcher)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!::getpwnam("nobody") || !::getgrnam("nogroup") || setpriv.isEmpty())
        return QStringLiteral("no nobody user, nogroup group or setpriv to drop root with");
    for (QDir above(folder); above.cdUp();) {
        struct stat facts {};
        if (::stat(QFile::encodeName(above.path()).constData(), &facts) != 0 || !(facts.st_mode & S_IXOTH))
            return QStringLiteral("nobody cannot reach %1 (set TMPDIR to a folder open to others)").arg(above.path());
        if (above.isRoot())
            break;
    }
    environment.insert(QStringLiteral("USER"), QStringLiteral("nobody"));
    environment.insert(QStringLiteral("LOGNAME"), QStringLiteral("nobody"));
    launcher = {setpriv, QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                QStringLiteral("--clear-groups"), QStringLiteral("--")};
    return QString();
}

// From here on every session of this program runs as an ordinary user: under
// root, as nobody (setpriv), owning the whole copy; otherwise as the user
// running the tests. Either way with a home of its own (HOME and the XDG
// folders inside the copy, the real printer store in it), not the test's.
// Files the test makes afterwards in the copy stay the test's: make them first.
// Returns why the sessions cannot run so, empty when they can.
inline QString runAsOrdinaryUser(InstalledProgram& program)
{
    const QString root = program.root_path();
    const QString home = root + QStringLiteral("/home");
    // Only the home and a temporary folder: the program makes the rest as it would for a new user.
    QDir().mkpath(home + QStringLiteral("/tmp"));
    QProcessEnvironment& environment = program.environment;
    environment.remove(QStringLiteral("VANTAMORPH_SPOOLER_DIR"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("TMPDIR"), home + QStringLiteral("/tmp"));
    if (::geteuid() != 0)
        return QString();
    if (const QString why = dropRootToNobody(root, environment, program.launcher); !why.isEmpty())
        return why;
    QProcess chown;
    chown.start(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("--no-dereference"),
                                          QStringLiteral("nobody:nogroup"), root});
    if (!chown.waitForFinished(60000) || chown.exitCode() != 0)
        return QStringLiteral("cannot give the copy to nobody: ") + QString::fromLocal8Bit(chown.readAllStandardError());
    return QString();
}

inline QStringList matching(const QStringList& lines, const QString& prefix)
{
    QStringList found;
    for (const QString& line : lines)
        if (line.startsWith(prefix))
            found.append(line);
    return found;
}

} // namespace vm::e2e
