#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace vm {

class ErrorTrap;

// Routes every command a canvas raises to its handler. The table holds every
// command the canvas may send, in a fixed order; the subsystem that owns a
// command plugs its handler in. Names compare without regard to case, the
// first match wins, unknown names go to the handler of any other command (or
// nowhere), and a failing handler is logged under the table's label
// ("frmMain\skwFlash" for the editing canvas).
class CanvasDispatcher {
public:
    using Handler = std::function<void(const QString& argument)>;
    using OtherHandler = std::function<void(const QString& command, const QString& argument)>;

    // The editing canvas's table.
    explicit CanvasDispatcher(ErrorTrap& trap);
    // Another canvas's table: its commands (in lower case) and its label.
    CanvasDispatcher(ErrorTrap& trap, QString label, const QStringList& names);

    // Plugs in the handler of a command of the table (name in lower case).
    // Naming a command the table does not hold is a programming error.
    void on(const QString& command, Handler handler);

    // Takes the commands the table does not hold.
    void onAnyOther(OtherHandler handler);
    // The canvas's command event.
    void receive(const QString& command, const QString& argument);
    void skwFlash_FSCommand(const QString& command, const QString& argument) { receive(command, argument); }

    // The commands of the editing canvas's table, in order.
    static const QStringList& commandNames();
    bool hasHandler(const QString& command) const;

private:
    struct Entry {
        QString name;
        Handler handler;
    };
    ErrorTrap& trap_;
    QString label_;
    QList<Entry> table_;
    OtherHandler other_;
};

} // namespace vm
