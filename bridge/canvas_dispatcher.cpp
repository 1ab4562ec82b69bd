#include "bridge/canvas_dispatcher.h"

#include "shell/log/error_trap.h"

#include <QStringList>
#include <stdexcept>

namespace vm {

const QStringList& CanvasDispatcher::commandNames()
{
    static const QStringList names = {
        QStringLiteral("show open"),         QStringLiteral("show save"),
        QStringLiteral("show new"),          QStringLiteral("show publish"),
        QStringLiteral("add keyword"),       QStringLiteral("datatosave"),
        QStringLiteral("wizard finish"),     QStringLiteral("isloaded"),
        QStringLiteral("importfonts"),       QStringLiteral("istextedit"),
        QStringLiteral("show startup"),      QStringLiteral("show alerto"),
        QStringLiteral("publish selection"), QStringLiteral("quick help"),
        QStringLiteral("fnbrowseimage"),     QStringLiteral("convertdata"),
        QStringLiteral("publishtransparentimage"), QStringLiteral("fmloaded"),
        QStringLiteral("fmactivemenu"),      QStringLiteral("enabledisable_menuitem"),
        QStringLiteral("templatecall"),      QStringLiteral("cropimage"),
        QStringLiteral("vectoreps"),         QStringLiteral("topmenuendisable"),
        QStringLiteral("exit"),
        // Our own: the canvas could not open the file it was sent (path), and a
        // publish it was asked for cannot finish (what failed).
        QStringLiteral("openrefused"),       QStringLiteral("publishfailed"),
    };
    return names;
}

CanvasDispatcher::CanvasDispatcher(ErrorTrap& trap) : trap_(trap)
{
    for (const QString& name : commandNames())
        table_.append({name, Handler()});
}

void CanvasDispatcher::on(const QString& command, Handler handler)
{
    for (Entry& entry : table_) {
        if (entry.name == command) {
            entry.handler = std::move(handler);
            return;
        }
    }
    throw std::logic_error("the canvas sends no command named " + command.toStdString());
}

bool CanvasDispatcher::hasHandler(const QString& command) const
{
    for (const Entry& entry : table_)
        if (entry.name == command)
            return static_cast<bool>(entry.handler);
    return false;
}

void CanvasDispatcher::skwFlash_FSCommand(const QString& command, const QString& argument)
{
    trap_.run(QStringLiteral("frmMain\\skwFlash"), [&] {
        const QString name = command.toLower();
        for (const Entry& entry : table_) {
            if (entry.name != name)
                continue;
            if (entry.handler)
                entry.handler(argument);
            return;
        }
    });
}

} // namespace vm
