#pragma once

#include "canvas/player/movie_player.h"

#include <QList>
#include <QObject>
#include <QPair>

namespace vm {

// The smallest canvas that lets the program start: once its movie has loaded
// it reports "fmloaded", "isloaded" and "fmactivemenu", in that order, from
// the event loop. It keeps the host's commands for whoever wants to see them.
class StartupCanvas : public MoviePlayer {
public:
    using MoviePlayer::MoviePlayer;

    const QList<QPair<QString, QString>>& received() const { return received_; }

protected:
    void movieLoaded() override;
    void interactionPlayed(const QString& command, const QString& argument) override;

private:
    QList<QPair<QString, QString>> received_;
    // Ties the delayed announcement to this canvas: a canvas destroyed before
    // the event loop runs it announces nothing.
    QObject lifetime_;
};

} // namespace vm
