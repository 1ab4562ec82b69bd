#include "print/printer_setup.h"

#include "platform/api/run_time_error.h"
#include "print/print_names.h"
#include "shell/main_form.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vm {

namespace {
const QString publishLabel = QStringLiteral("frmSaveLogo\\imgSave_Click");
const QString profileDefault = QStringLiteral(",,,");
constexpr int profileBufferSize = 254;

bool isPrintToFilePrinter(const QString& name)
{
    return name.compare(print_names::printToFilePrinter, Qt::CaseInsensitive) == 0;
}
} // namespace

PrinterSetup::PrinterSetup(const PrintSeams& host, PrintServices& services) : host_(host), services_(services) {}

PrinterInfo PrinterSetup::GetDefaultPrinter()
{
    QString device = services_.spooler.profileDevice();
    if (device.isEmpty())
        device = profileDefault;
    device = device.left(profileBufferSize - 1);
    if (const qsizetype nul = device.indexOf(QChar(0)); nul >= 0)
        device.truncate(nul);
    const QString deviceName = device.section(QLatin1Char(','), 0, 0);
    for (const PrinterInfo& printer : services_.spooler.printers()) {
        if (printer.printerName == deviceName) {
            PreviousDefaultPrinter = printer.printerName;
            return printer;
        }
    }
    throw RunTimeError(error_number::ObjectVariableNotSet, QStringLiteral("Object variable or With block variable not set"));
}

bool PrinterSetup::SelectPrinter(const QString& deviceName)
{
    if (!isPrintToFilePrinter(deviceName)) {
        // Only the print-to-file printer's page is ours to set.
        if (services_.spooler.switchDefaultPrinter(deviceName, QString()))
            printer_.deviceName = deviceName;
        return true;
    }
    const QString userPrinter = isPrintToFilePrinter(PreviousDefaultPrinter) ? QString() : PreviousDefaultPrinter;
    // Each call once: a printer the spooler refuses stays refused.
    if (services_.spooler.switchDefaultPrinter(deviceName, userPrinter.trimmed().isEmpty() ? QString() : userPrinter))
        printer_.deviceName = deviceName;
    clsPrint settings(services_.spooler, printer_);
    // Our own spooler's defaults change only with administer access, which the user has over their printers.
    settings.AccessLevel = printer_access::AllAccess;
    settings.SetPrinterOrientation(1, 8);
    return true;
}

void PrinterSetup::RestoreDefaultPrinter()
{
    if (PreviousDefaultPrinter.trimmed().isEmpty())
        return;
    if (services_.spooler.switchDefaultPrinter(PreviousDefaultPrinter, QString()))
        printer_.deviceName = PreviousDefaultPrinter;
}

void PrinterSetup::RestoreAfterInterruptedPublish(Spooler& spooler)
{
    const QString noted = spooler.pendingRestore();
    if (noted.isEmpty())
        return;
    // A default the user has chosen since stays; only the note goes.
    const QString current = spooler.profileDevice().section(QLatin1Char(','), 0, 0);
    spooler.switchDefaultPrinter(isPrintToFilePrinter(current) ? noted : current, QString());
}

int PrinterSetup::InstallPrinter(const QString& commandLine)
{
    return services_.processes.runForExitCode(commandLine);
}

QString PrinterSetup::installedPrintToFilePrinter()
{
    // The walk stops at the first match; its exact name is what the spooler takes.
    for (const PrinterInfo& printer : services_.spooler.printers())
        if (isPrintToFilePrinter(printer.printerName))
            return printer.printerName;
    return QString();
}

PrinterSetup::Outcome PrinterSetup::PreparePrinter(Form* publishDialog)
{
    ResumeNext statement(host_.trap, publishLabel);
    statement([&] { GetDefaultPrinter(); });
    // The print-to-file printer already the default, with a user's printer
    // noted: a run ended mid-publish, and the noted printer is the user's.
    if (isPrintToFilePrinter(PreviousDefaultPrinter))
        if (const QString noted = services_.spooler.pendingRestore(); !noted.isEmpty())
            PreviousDefaultPrinter = noted;

    if (const QString installed = installedPrintToFilePrinter(); !installed.isEmpty()) {
        SelectPrinter(installed);
        return Outcome::Ready;
    }
    if (!host_.state.keepTempFolder) {
        host_.platform.dialogs.messageBox(print_names::messageNoPrinter, QStringLiteral("Vantamorph"),
                                          message_box::Buttons::Ok, message_box::Icon::None);
        return Outcome::Stopped;
    }
    if (!host_.messages.MessageBoxYN(host_.language.GetControlCaptions(QStringLiteral("msgYNNoPrinter")), publishDialog))
        return Outcome::Stopped;
    const QString helper = host_.state.programFolder + path_style::separator + print_names::helperProgram();
    if (!QFileInfo(helper).isFile()) {
        host_.platform.dialogs.messageBox(print_names::messageHelperMissing, QStringLiteral("Vantamorph"),
                                          message_box::Buttons::Ok, message_box::Icon::None);
        return Outcome::UnloadDialog;
    }
    // Quoted so that a program folder with spaces or quotes survives the split.
    statement([&] { InstallPrinter(quoteCommandLineArgument(helper)); });
    QCoreApplication::processEvents();
    const QString installed = installedPrintToFilePrinter();
    SelectPrinter(installed.isEmpty() ? print_names::printToFilePrinter : installed);
    return Outcome::Ready;
}

void PrinterSetup::RestorePrinter(Form* publishDialog)
{
    try {
        host_.platform.forms.unload(host_.waitForm);
        RestoreDefaultPrinter();
        BringWindowFront();
        host_.messages.Alert(host_.language.GetControlCaptions(QStringLiteral("alertLogoPub")), publishDialog);
    } catch (...) {
        host_.platform.dialogs.messageBox(print_names::messageRestorePrinter, QStringLiteral("Vantamorph"),
                                          message_box::Buttons::Ok, message_box::Icon::None);
    }
}

void PrinterSetup::BringWindowFront()
{
    WindowRegistry& windows = host_.platform.windows;
    const WindowHandle main = windows.findWindow(QString(), MainForm::caption);
    if (main == 0)
        return;
    if (windows.isIconic(main))
        windows.showWindow(main, show_command::Restore);
    windows.setForeground(main);
}

} // namespace vm
