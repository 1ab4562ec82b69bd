#pragma once

#include <QSize>
#include <QString>

namespace vm {

class ErrorTrap;
class PlayerControl;
class Trace;

// The one way to ask the canvas for something: write the command and its
// argument into the movie's variables and play the clip that reads them.
// There is no queue: a second call before the canvas has read the first
// overwrites it.
class CanvasLink {
public:
    CanvasLink(PlayerControl& canvas, ErrorTrap& trap, Trace& trace);

    bool toFlash(const QString& command, const QString& argument);
    // The canvas's movie (a missing one leaves the canvas empty and silent).
    void loadMovie(const QString& path);
    // The size the canvas asked for; the main window lays it out.
    QSize size() const;
    void resize(const QSize& size);

private:
    PlayerControl& canvas_;
    ErrorTrap& trap_;
    Trace& trace_;
};

} // namespace vm
