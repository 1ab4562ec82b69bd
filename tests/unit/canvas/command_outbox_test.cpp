#include "canvas/outbox/command_outbox.h"
#include "canvas/player/movie_player.h"
#include "platform/api/trace.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace vm::test {
namespace {

// Both canvases raise their commands through the outbox: the host must hear
// them after its own call, in order, and never from a canvas that is gone.
TEST(CommandOutbox, SendsFromTheEventLoopInOrderAndDropsWhatItsOwnerLeftBehind)
{
    Trace trace;
    MoviePlayer player(QStringLiteral("canvas"), trace);
    QStringList raised;
    player.onCommand([&](const QString& command, const QString& argument) { raised.append(command + QLatin1Char('=') + argument); });

    auto outbox = std::make_unique<CommandOutbox>(player);
    outbox->post(QStringLiteral("fmloaded"), QString());
    outbox->post(QStringLiteral("datatosave"), QStringLiteral("true"));
    EXPECT_TRUE(raised.isEmpty()) << "sent inside the caller's call";
    QCoreApplication::processEvents();
    EXPECT_EQ(raised, (QStringList{QStringLiteral("fmloaded="), QStringLiteral("datatosave=true")}));

    outbox->post(QStringLiteral("show alerto"), QStringLiteral("late"));
    outbox.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(raised.size(), 2) << "a command outlived its canvas";
}

} // namespace
} // namespace vm::test
