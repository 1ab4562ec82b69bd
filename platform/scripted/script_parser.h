#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

// One line of a session script. A line that cannot be read becomes an Error
// statement, so the session reports it where it stands and goes on.
struct Statement {
    enum class Kind { Canvas, Bitmap, Menu, Key, Answer, Click, Gallery, Close, Wait, DumpMenu, DumpState, Error };

    Kind kind = Kind::Error;
    // Canvas/Bitmap: command, argument. Menu: key. Key: key name.
    // Answer: kind name, value. Click: form, control. Gallery: category, name (none: cancel). Wait: milliseconds, "ready" or "idle". Error: the message.
    QStringList args;
    int line = 0; // 1-based
};

// Reads session scripts: one statement per line, '#' starts a comment outside
// strings, strings are double-quoted with the escapes \\ \" \n \r \t.
//
//   canvas "CMD" "ARG"    bitmap "CMD" "ARG"    menu "KEY"    key "Ctrl+S"
//   answer KIND "VALUE"   click "FORM" "CONTROL"   gallery "CATEGORY" "NAME"   gallery cancel
//   close   wait MS|ready|idle   dump menu|state
class ScriptParser {
public:
    static constexpr int longestWait = 600000; // ten minutes

    static QList<Statement> parse(const QByteArray& script);
    // Empty when the file cannot be read (a pipe or a device is not read), with why set.
    static std::optional<QList<Statement>> parseFile(const QString& path, QString* why = nullptr);
    // Empty for a blank or comment line.
    static std::optional<Statement> parseLine(const QString& line, int lineNumber);
};

} // namespace vm
