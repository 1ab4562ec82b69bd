#include "bridge/canvas_link.h"

#include "protocol/player_control.h"
#include "platform/api/trace.h"
#include "shell/log/error_trap.h"

namespace vm {

CanvasLink::CanvasLink(PlayerControl& canvas, ErrorTrap& trap, Trace& trace)
    : canvas_(canvas), trap_(trap), trace_(trace)
{
}

bool CanvasLink::toFlash(const QString& command, const QString& argument)
{
    const QString interaction = QStringLiteral("/Interaction");
    const bool sent = trap_.run(QStringLiteral("frmMain\\toFlash"), [&] {
        canvas_.setVariable(QStringLiteral("commandVB"), command);
        canvas_.setVariable(QStringLiteral("argsVB"), argument);
        canvas_.tGotoFrame(interaction, 2);
        canvas_.tPlay(interaction);
    });
    trace_.write(QStringLiteral("toFlash ") + Trace::quote(command) + QLatin1Char(' ') + Trace::quote(argument)
                 + (sent ? QStringLiteral(" -> true") : QStringLiteral(" -> false")));
    return sent;
}

void CanvasLink::loadMovie(const QString& path)
{
    canvas_.setMovie(path);
}

QSize CanvasLink::size() const
{
    return canvas_.size();
}

void CanvasLink::resize(const QSize& size)
{
    canvas_.setSize(size);
}

} // namespace vm
