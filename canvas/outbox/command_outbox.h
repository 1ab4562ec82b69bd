#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

namespace vm {

class MoviePlayer;

// The commands a canvas raises to the host. They leave from the event loop, in the
// order posted, as a movie's would: the host has finished the call that asked before
// it hears the answer. What is still waiting when the outbox goes is never sent.
class CommandOutbox {
public:
    explicit CommandOutbox(MoviePlayer& player) : player_(player) {}

    void post(const QString& command, const QString& argument);

private:
    void flush();

    MoviePlayer& player_;
    QList<QPair<QString, QString>> waiting_;
    QObject lifetime_; // the pending send dies with the outbox
};

} // namespace vm
