#include "platform/printing/system_page_printer.h"

#include "platform/api/print_window_texts.h"
#include "platform/api/trace.h"

namespace vm {

namespace {
const QString comboClass = QStringLiteral("ComboBox");
const QString staticClass = QStringLiteral("Static");
const QString cancelCaption = QStringLiteral("Cancel");
} // namespace

SystemPagePrinter::SystemPagePrinter(WindowRegistry& windows, Spooler& spooler, SystemLocale& locale,
                                     ModalWindowView* view, Trace* trace, const QString& ghostscript)
    : windows_(windows), spooler_(spooler), locale_(locale), view_(view), trace_(trace), writer_(ghostscript)
{
}

bool SystemPagePrinter::fail(const QString& message)
{
    lastError_ = message;
    if (trace_)
        trace_->write(QStringLiteral("print failed ") + Trace::quote(message));
    return false;
}

QString SystemPagePrinter::defaultPrinterName()
{
    return spooler_.profileDevice().section(QLatin1Char(','), 0, 0);
}

std::optional<QString> SystemPagePrinter::showPrintDialog(const QString& jobName)
{
    const print_texts::PrintDialogText& texts = print_texts::printDialogFor(locale_.languageCode());
    ModalWindow dialog(windows_, view_, trace_);
    dialog.setWindow(print_texts::dialogClass, texts.title);
    dialog.addControl(staticClass, jobName);
    const int printerChoice = dialog.addControl(comboClass, defaultPrinterName());
    dialog.addControl(print_texts::buttonClass, texts.printButton, ModalWindow::Role::Confirm);
    dialog.addControl(print_texts::buttonClass, cancelCaption, ModalWindow::Role::Cancel);
    if (!dialog.exec())
        return std::nullopt;
    return dialog.controls().at(printerChoice).text;
}

std::optional<QString> SystemPagePrinter::askOutputFile()
{
    const print_texts::PromptText* ofLanguage = print_texts::promptForLanguage(locale_.languageCode());
    const print_texts::PromptText& texts = ofLanguage ? *ofLanguage : print_texts::promptTable().first();
    ModalWindow prompt(windows_, view_, trace_);
    prompt.setWindow(print_texts::dialogClass, texts.title);
    const int edit = prompt.addControl(print_texts::editClass, QString());
    prompt.addControl(print_texts::buttonClass, texts.confirmButton, ModalWindow::Role::Confirm);
    prompt.addControl(print_texts::buttonClass, cancelCaption, ModalWindow::Role::Cancel);
    if (!prompt.exec())
        return std::nullopt;
    const QString path = prompt.controls().at(edit).text;
    if (path.trimmed().isEmpty())
        return std::nullopt;
    return path;
}

bool SystemPagePrinter::printWithDialog(const QString& jobName, const Painting& paint)
{
    lastError_.clear();
    if (spooler_.printers().isEmpty())
        return fail(QStringLiteral("No printers are installed."));
    const std::optional<QString> printerName = showPrintDialog(jobName);
    if (!printerName)
        return false;
    const std::optional<PrinterInfo> printer = spooler_.printer(*printerName);
    if (!printer)
        return fail(QStringLiteral("The printer %1 is not installed.").arg(*printerName));
    const QPageLayout layout = EpsWriter::layoutFor(printer->deviceMode.value_or(DeviceMode{}));

    if (printer->driverName == printer_driver::printToFile) {
        const std::optional<QString> path = askOutputFile();
        if (!path)
            return false; // a cancelled prompt writes nothing
        const bool written = writer_.writeEps(*path, layout, paint);
        if (trace_ && written)
            trace_->write(QStringLiteral("file written ") + Trace::quote(*path));
        return written || fail(writer_.lastError());
    }
    return fail(QStringLiteral("The printer %1 has no driver on this system.").arg(*printerName));
}

bool SystemPagePrinter::printToFile(const QString& jobName, const QString& path, const Painting& paint)
{
    lastError_.clear();
    const std::optional<PrinterInfo> printer = spooler_.printer(defaultPrinterName());
    const DeviceMode mode = printer ? printer->deviceMode.value_or(DeviceMode{}) : DeviceMode{};
    const bool written = writer_.writeEps(path, EpsWriter::layoutFor(mode), paint);
    if (trace_ && written)
        trace_->write(QStringLiteral("file written ") + Trace::quote(path));
    return written || fail(writer_.lastError());
}

} // namespace vm
