#pragma once

#include <QDir>
#include <algorithm>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::e2e {

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
    };

    // Runs a script and waits for the program to end.
    Result run(const QByteArray& script, const QString& desktop = QString(), int timeoutMs = 20000) const
    {
        QProcess process;
        startScript(process, script, desktop);
        Result result;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.transcript = transcriptOf(process);
        result.errors = process.readAllStandardError();
        return result;
    }

    // Extra arguments and environment for every session of this program.
    QStringList extraArguments;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

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
        process.start(programFolder() + QStringLiteral("/vantamorph"), arguments);
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

// Sessions with the real canvas that publish: the print-to-file printer installed
// in a spooler of the program's own.
inline void useRealCanvasAndOwnPrinter(InstalledProgram& program)
{
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    program.environment.insert(QStringLiteral("VANTAMORPH_SPOOLER_DIR"), program.root_path() + QStringLiteral("/spool"));
    QProcess installer;
    installer.setProcessEnvironment(program.environment);
    installer.start(program.file(QStringLiteral("VantamorphPrinter")), {});
    ASSERT_TRUE(installer.waitForFinished(10000));
    ASSERT_EQ(installer.exitCode(), 0);
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
