#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace vm {

class ErrorTrap;

// Routes every command the canvas raises to its handler. The table holds every
// command the canvas may send, in a fixed order; the subsystem that owns a
// command plugs its handler in. Names compare without regard to case, the
// first match wins, unknown names are ignored, and a failing handler is
// logged as "frmMain\skwFlash".
class CanvasDispatcher {
public:
    using Handler = std::function<void(const QString& argument)>;

    explicit CanvasDispatcher(ErrorTrap& trap);

    // Plugs in the handler of a command of the table (name in lower case).
    // Naming a command the table does not hold is a programming error.
    void on(const QString& command, Handler handler);

    // The canvas's command event.
    void skwFlash_FSCommand(const QString& command, const QString& argument);

    // The commands of the table, in order.
    static const QStringList& commandNames();
    bool hasHandler(const QString& command) const;

private:
    struct Entry {
        QString name;
        Handler handler;
    };
    ErrorTrap& trap_;
    QList<Entry> table_;
};

} // namespace vm
