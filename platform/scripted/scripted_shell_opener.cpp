#include "platform/scripted/scripted_shell_opener.h"

#include "platform/api/trace.h"

namespace vm {

void ScriptedShellOpener::open(const QString& verb, const QString& target, int)
{
    trace_.write(QStringLiteral("shell ") + Trace::quote(verb) + QLatin1Char(' ') + Trace::quote(target));
}

} // namespace vm
