#include "app/scripting/command_line.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>

namespace vm {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine result;
    bool desktopGiven = false;
    bool canvasGiven = false;
    const auto fail = [&](const QString& message) {
        result.error = message;
        return result;
    };
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        QString option = arguments[index];
        QString value;
        bool hasValue = false;
        // Both "--script FILE" and "--script=FILE".
        if (const qsizetype equals = option.indexOf(QLatin1Char('=')); option.startsWith(QLatin1String("--")) && equals > 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
            hasValue = true;
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            result.helpRequested = true;
            continue;
        }
        if (option == QLatin1String("--quit-when-ready") && !hasValue) {
            result.quitWhenReady = true;
            continue;
        }
        if (option == QLatin1String("--canvas")) {
            if (!hasValue && index + 1 < arguments.size()) {
                value = arguments[++index];
                hasValue = true;
            }
            if (value == QLatin1String("reference"))
                result.referenceCanvas = true;
            else if (value == QLatin1String("scripted"))
                result.referenceCanvas = false;
            else
                return fail(QStringLiteral("--canvas needs reference or scripted"));
            canvasGiven = true;
            continue;
        }
        QString* target = nullptr;
        if (option == QLatin1String("--script"))
            target = &result.scriptPath;
        else if (option == QLatin1String("--transcript"))
            target = &result.transcriptPath;
        else if (option == QLatin1String("--desktop"))
            target = &result.desktopName;
        else
            return fail(QStringLiteral("unknown option: ") + option);
        if (!hasValue) {
            if (index + 1 >= arguments.size())
                return fail(option + QStringLiteral(" needs a value"));
            value = arguments[++index];
        }
        if (value.isEmpty())
            return fail(option + QStringLiteral(" needs a value"));
        *target = value;
        desktopGiven = desktopGiven || target == &result.desktopName;
    }
    if (!result.transcriptPath.isEmpty() && result.scriptPath.isEmpty())
        return fail(QStringLiteral("--transcript needs --script"));
    if (canvasGiven && result.scriptPath.isEmpty())
        return fail(QStringLiteral("--canvas needs --script"));
    if (!desktopGiven)
        result.desktopName = result.scripted() ? uniqueDesktopName() : QStringLiteral("default");
    return result;
}

QString commandLineUsage(const QString& program)
{
    const QString name = program.isEmpty() ? QStringLiteral("vantamorph") : QFileInfo(program).fileName();
    return QStringLiteral("usage: ") + name
           + QStringLiteral(" [--script FILE [--transcript OUT] [--canvas KIND]] [--desktop NAME] [--quit-when-ready]\n"
                            "  --script FILE      run FILE headless, answering from it, and write a transcript\n"
                            "  --transcript OUT   write the transcript to OUT instead of stdout\n"
                            "  --canvas KIND      the canvas of a scripted session: scripted (default) or reference\n"
                            "  --desktop NAME     the desktop whose copies of the program see each other\n"
                            "  --quit-when-ready  end as soon as the menus are ready (start-up checks and timing)\n");
}

QString uniqueDesktopName()
{
    return QStringLiteral("script-") + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
           + QString::number(QRandomGenerator::global()->generate(), 16);
}

} // namespace vm
