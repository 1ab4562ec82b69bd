#include "canvas/outbox/command_outbox.h"

#include "canvas/player/movie_player.h"

#include <QTimer>

namespace vm {

void CommandOutbox::post(const QString& command, const QString& argument)
{
    waiting_.append({command, argument});
    if (waiting_.size() == 1)
        QTimer::singleShot(0, &lifetime_, [this] { flush(); });
}

void CommandOutbox::flush()
{
    // A handler may post more; those wait for the next round, as they would in a movie.
    const auto sending = std::exchange(waiting_, {});
    for (const auto& [command, argument] : sending)
        player_.raise(command, argument);
}

} // namespace vm
