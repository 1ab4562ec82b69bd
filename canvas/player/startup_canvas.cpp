#include "canvas/player/startup_canvas.h"

#include <QTimer>

namespace vm {

void StartupCanvas::movieLoaded()
{
    QTimer::singleShot(0, &lifetime_, [this] {
        for (const char* command : {"fmloaded", "isloaded", "fmactivemenu"})
            raise(QString::fromLatin1(command), QString());
    });
}

void StartupCanvas::interactionPlayed(const QString& command, const QString& argument)
{
    received_.append({command, argument});
}

} // namespace vm
