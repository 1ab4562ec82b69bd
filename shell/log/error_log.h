#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

namespace vm {

class Trace;

// Error.log in folder (the program folder, or the user's state folder when the
// program folder is read-only): every trapped failure is appended as a
// six-line entry. The log is for support; a log that cannot be written is
// skipped and never stops the program.
class ErrorLog {
public:
    using Clock = std::function<QDateTime()>;

    ErrorLog(QString folder, Trace& trace, QLocale locale = QLocale::system(),
             Clock clock = &QDateTime::currentDateTime);

    void write(int number, const QString& description, const QString& label) noexcept;

    QString path() const;

    // The system's short date, a blank, and its long time, as the log shows them
    // (12/5/2026 6:14:29 PM on a United States English system).
    static QString formatTimestamp(const QDateTime& when, const QLocale& locale);
    static QString formatEntry(const QString& timestamp, int number, const QString& description,
                               const QString& label);

private:
    QString folder_;
    Trace& trace_;
    QLocale locale_;
    Clock clock_;
};

} // namespace vm
