#include "platform/linux/desktop_shell_opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace vm {

void DesktopShellOpener::open(const QString& verb, const QString& target, int showCommand)
{
    Q_UNUSED(showCommand); // the desktop decides how the program shows itself
    if (verb.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0 || target.trimmed().isEmpty())
        return;
    const QString trimmed = target.trimmed();
    const bool web = trimmed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
                     || trimmed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    // QDesktopServices starts the opener with an argument list, never a shell.
    const QUrl url = web ? QUrl(trimmed, QUrl::TolerantMode) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

} // namespace vm
