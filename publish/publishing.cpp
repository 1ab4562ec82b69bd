#include "publish/publishing.h"

#include "platform/api/print_services.h"
#include "publish/magick_setup.h"
#include "shell/menu_tree.h"

#include <QDir>

namespace vm {

const QString Publishing::publishDialogItem = QStringLiteral("mnuPublishLogoDialog");

Publishing::Publishing(const PublishSeams& host, PrintServices& services)
    : host_(host), dialog_(host, services), quick_(host, services, dialog_)
{
    host.mainMenu.on(QStringLiteral("mnuPublishLogo"), [this] { showDialog(); });
    host.mainMenu.on(publishDialogItem, [this] { showDialog(); });
    for (const MenuTreeEntry& entry : menuTree())
        if (entry.parent == QLatin1String("mnuPublishLogo") && entry.key != publishDialogItem)
            host.mainMenu.on(entry.key, [this, key = entry.key] { quick_.mnuPublishLogoSub(key); });

    // Only a copy that really runs may take back a printer an earlier run left
    // switched: a second copy that hands over must not end a publish under way.
    host.lifeCycle.on(LifeCycle::mainWindowLoaded,
                      [&spooler = services.spooler] { PrinterSetup::RestoreAfterInterruptedPublish(spooler); });
    host.dispatcher.on(QStringLiteral("show publish"), [this](const QString&) { showDialog(); });
    host.dispatcher.on(QStringLiteral("convertdata"), [this](const QString& argument) {
        dialog_.SizeArgument = argument;
        dialog_.CreateImage();
    });
    host.dispatcher.on(QStringLiteral("vectoreps"), [this](const QString&) {
        PublishRun& run = dialog_.publishRun();
        if (run.waiting())
            run.finish();
    });
    host.dispatcher.on(QStringLiteral("publishfailed"), [this](const QString& argument) {
        PublishRun& run = dialog_.publishRun();
        if (run.waiting())
            run.fail(argument.isEmpty() ? QStringLiteral("the canvas could not draw it.") : argument);
    });
    host.dispatcher.on(QStringLiteral("publishtransparentimage"), [this](const QString& argument) {
        try {
            host_.bitmapCanvas.receiveBackgroundName(argument);
        } catch (...) {
            // Without a bitmap canvas nothing would ever answer: the publish ends here.
            if (dialog_.publishRun().waiting())
                dialog_.publishRun().fail(QStringLiteral("the bitmap canvas is not loaded."));
            throw;
        }
    });
    quick_.registerPictures(host.bitmapDispatcher);
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
