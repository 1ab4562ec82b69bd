#include "bridge/canvas_dispatcher.h"

#include "protocol/canvas_commands.h"
#include "shell/log/error_trap.h"

#include <QStringList>
#include <stdexcept>

namespace vm {

const QStringList& CanvasDispatcher::commandNames()
{
    return canvas_commands::editing();
}

CanvasDispatcher::CanvasDispatcher(ErrorTrap& trap)
    : CanvasDispatcher(trap, QStringLiteral("frmMain\\skwFlash"), canvas_commands::editing())
{
}

CanvasDispatcher::CanvasDispatcher(ErrorTrap& trap, QString label, const QStringList& names)
    : trap_(trap), label_(std::move(label))
{
    for (const QString& name : names)
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

void CanvasDispatcher::onAnyOther(OtherHandler handler)
{
    other_ = std::move(handler);
}

void CanvasDispatcher::receive(const QString& command, const QString& argument)
{
    trap_.run(label_, [&] {
        const QString name = command.toLower();
        for (const Entry& entry : table_) {
            if (entry.name != name)
                continue;
            if (entry.handler)
                entry.handler(argument);
            return;
        }
        if (other_)
            other_(command, argument);
    });
}

} // namespace vm
