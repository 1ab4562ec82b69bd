#include "publish/publishing.h"

#include "canvas/api/player_control.h"
#include "publish/magick_setup.h"
#include "shell/host.h"
#include "shell/menu_tree.h"

#include <QDir>

namespace vm {

Publishing::Publishing(Host& host, PrintServices& services)
    : host_(host), dialog_(host, services), quick_(host, services, dialog_)
{
    host.mainMenu.on(QStringLiteral("mnuPublishLogo"), [this] { showDialog(); });
    for (const MenuTreeEntry& entry : menuTree())
        if (entry.parent == QLatin1String("mnuPublishLogo"))
            host.mainMenu.on(entry.key, [this, key = entry.key] { quick_.mnuPublishLogoSub(key); });

    host.dispatcher.on(QStringLiteral("show publish"), [this](const QString&) { showDialog(); });
    host.dispatcher.on(QStringLiteral("convertdata"), [this](const QString& argument) {
        dialog_.SizeArgument = argument;
        dialog_.CreateImage();
    });
    host.dispatcher.on(QStringLiteral("vectoreps"),
                       [this](const QString&) { dialog_.printerSetup().RestorePrinter(&dialog_); });
    host.bitmapCanvas.onCommand([this](const QString& command, const QString& argument) {
        quick_.ShockwaveFlash1_FSCommand(command, argument);
    });
}

void Publishing::showDialog()
{
    host_.trap.run(QStringLiteral("frmMain\\mnuPublishLogo"),
                   [&] { host_.platform.forms.showModeless(dialog_, &host_.mainForm); });
}

QString Publishing::prepareConverterConfig(const QString& programFolder)
{
    const QString own = MagickSetup::prepareConfigFolder(programFolder + QStringLiteral("/bin/config"));
    if (!own.isEmpty())
        return own;
    return MagickSetup::prepareConfigFolder(QDir::tempPath() + QStringLiteral("/vantamorph-convert-config"));
}

} // namespace vm
