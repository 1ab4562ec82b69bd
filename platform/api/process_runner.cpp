#include "platform/api/process_runner.h"

namespace vm {

QStringList splitCommandLine(const QString& commandLine)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    const qsizetype length = commandLine.size();
    for (qsizetype index = 0; index < length; ++index) {
        const QChar character = commandLine.at(index);
        if (character == QLatin1Char('\\')) {
            qsizetype backslashes = 0;
            while (index < length && commandLine.at(index) == QLatin1Char('\\')) {
                ++backslashes;
                ++index;
            }
            inArgument = true;
            if (index < length && commandLine.at(index) == QLatin1Char('"')) {
                current += QString(backslashes / 2, QLatin1Char('\\'));
                if (backslashes % 2 == 1) {
                    current += QLatin1Char('"');
                    continue;
                }
                --index; // the quote acts on the next round
                continue;
            }
            current += QString(backslashes, QLatin1Char('\\'));
            --index;
            continue;
        }
        if (character == QLatin1Char('"')) {
            inArgument = true;
            if (quoted && index + 1 < length && commandLine.at(index + 1) == QLatin1Char('"')) {
                current += QLatin1Char('"');
                ++index;
                continue;
            }
            quoted = !quoted;
            continue;
        }
        if (!quoted && (character == QLatin1Char(' ') || character == QLatin1Char('\t'))) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
            continue;
        }
        current += character;
        inArgument = true;
    }
    if (inArgument)
        arguments.append(current);
    return arguments;
}

QString quoteCommandLineArgument(const QString& argument, bool alwaysQuoted)
{
    if (!alwaysQuoted && !argument.isEmpty() && !argument.contains(QLatin1Char(' ')) && !argument.contains(QLatin1Char('\t'))
        && !argument.contains(QLatin1Char('"')))
        return argument;
    QString quoted = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (const QChar character : argument) {
        if (character == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (character == QLatin1Char('"'))
            quoted += QString(backslashes * 2 + 1, QLatin1Char('\\')) + QLatin1Char('"');
        else
            quoted += QString(backslashes, QLatin1Char('\\')) + character;
        backslashes = 0;
    }
    quoted += QString(backslashes * 2, QLatin1Char('\\')) + QLatin1Char('"');
    return quoted;
}

} // namespace vm
