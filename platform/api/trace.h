#pragma once

#include <QString>

namespace vm {

// What the program did that a user or the canvas would see, one line per event.
// Scripted sessions write these lines as their transcript; a normal run keeps
// none (the base class drops them).
class Trace {
public:
    virtual ~Trace() = default;
    virtual void write(const QString& line) { Q_UNUSED(line); }

    // A string in the transcript's quoting: double quotes, with \\ \" \n \r \t escaped.
    static QString quote(const QString& text);
};

} // namespace vm
