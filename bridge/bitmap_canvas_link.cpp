#include "bridge/bitmap_canvas_link.h"

#include "protocol/canvas_commands.h"
#include "protocol/player_control.h"

namespace vm {

void BitmapCanvasLink::loadMovie(const QString& path)
{
    bitmap_.setMovie(path);
}

void BitmapCanvasLink::receiveBackgroundName(const QString& name)
{
    bitmap_.callFunction(canvas_commands::receiveBackgroundNameCall(name));
}

} // namespace vm
