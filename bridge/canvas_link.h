#pragma once

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

private:
    PlayerControl& canvas_;
    ErrorTrap& trap_;
    Trace& trace_;
};

} // namespace vm
