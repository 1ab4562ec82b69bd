#include "shell/log/error_log.h"

#include "platform/api/path_style.h"
#include "platform/api/trace.h"

#include <QFile>
#include <QRegularExpression>

namespace vm {

namespace {
const QString separatorLine = QString(62, QLatin1Char('-'));
const QString lineEnd = QStringLiteral("\r\n");

// Short dates are written with the full year and times without a time zone,
// as the system's own date text does.
QString withFullYear(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString withoutTimeZone(QString format)
{
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    return format.replace(zone, QStringLiteral(" ")).trimmed();
}
} // namespace

ErrorLog::ErrorLog(QString folder, Trace& trace, QLocale locale, Clock clock)
    : folder_(std::move(folder)), trace_(trace), locale_(std::move(locale)), clock_(std::move(clock))
{
}

QString ErrorLog::path() const
{
    return folder_ + path_style::separator + QStringLiteral("Error.log");
}

QString ErrorLog::formatTimestamp(const QDateTime& when, const QLocale& locale)
{
    const QString date = locale.toString(when.date(), withFullYear(locale.dateFormat(QLocale::ShortFormat)));
    const QString time = locale.toString(when.time(), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    return date + QLatin1Char(' ') + time;
}

QString ErrorLog::formatEntry(const QString& timestamp, int number, const QString& description, const QString& label)
{
    return lineEnd + separatorLine + lineEnd + QStringLiteral("Date : ") + timestamp + lineEnd
           + QStringLiteral("Form : ") + label + lineEnd + QStringLiteral("Description :") + QString::number(number)
           + QStringLiteral(" : ") + description + lineEnd + separatorLine + lineEnd;
}

void ErrorLog::write(int number, const QString& description, const QString& label) noexcept
{
    try {
        trace_.write(QStringLiteral("log ") + Trace::quote(label));
        QFile file(path());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        file.write(formatEntry(formatTimestamp(clock_(), locale_), number, description, label).toLocal8Bit());
    } catch (...) {
        // The log is the last resort: nothing is left to tell.
    }
}

} // namespace vm
