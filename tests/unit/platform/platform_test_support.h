#pragma once

// Shared by the platform tests: readable QStrings in failures, and starting
// platform_test_helper, the "other copy" of the program.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace vm::test {

inline QString helperPath()
{
    return QStringLiteral(VM_PLATFORM_TEST_HELPER);
}

// A desktop of this test run only: ctest runs tests side by side.
inline QString privateDesktop()
{
    static int count = 0;
    return QStringLiteral("t%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
}

inline QString readLine(QProcess& process, int timeoutMs = 3000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!process.canReadLine() && !deadline.hasExpired())
        if (!process.waitForReadyRead(int(deadline.remainingTime())))
            break;
    return QString::fromUtf8(process.readLine()).trimmed();
}

// Starts a publisher and returns it with its first line ("ready" or "taken").
inline std::unique_ptr<QProcess> startPublisher(const QString& desktop, const QString& title, QString* firstLine)
{
    auto process = std::make_unique<QProcess>();
    process->start(helperPath(), {QStringLiteral("publish"), desktop, title});
    *firstLine = readLine(*process);
    return process;
}

inline void endGently(QProcess& process)
{
    process.closeWriteChannel();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(1000);
}

} // namespace vm::test
