#pragma once

#include <QString>

namespace vm {

class PlayerControl;

// The host's calls to the bitmap canvas, which draws the pictures a publish
// asks for. Its answers come back through its own command table.
class BitmapCanvasLink {
public:
    explicit BitmapCanvasLink(PlayerControl& bitmap) : bitmap_(bitmap) {}

    // A missing movie leaves the bitmap canvas empty and silent.
    void loadMovie(const QString& path);
    // The background the next transparent picture is drawn on. Throws
    // RunTimeError when the bitmap canvas cannot take the call.
    void receiveBackgroundName(const QString& name);

private:
    PlayerControl& bitmap_;
};

} // namespace vm
