#pragma once

#include "platform/api/page_printer.h"
#include "platform/api/spooler.h"
#include "platform/api/system_locale.h"
#include "platform/api/window_registry.h"
#include "platform/printing/eps_writer.h"
#include "platform/printing/modal_window.h"

#include <optional>

namespace vm {

class Trace;

// How the canvas prints on this platform: the system print dialog (class
// "#32770", titled in the system's language, the default printer chosen),
// then the chosen printer's driver: the print-to-file driver asks for the
// output file through its prompt and writes EPS. Printers of other drivers
// cannot print here.
class SystemPagePrinter : public PagePrinter {
public:
    SystemPagePrinter(WindowRegistry& windows, Spooler& spooler, SystemLocale& locale, ModalWindowView* view = nullptr,
                      Trace* trace = nullptr, const QString& ghostscript = QStringLiteral("gs"));

    bool printWithDialog(const QString& jobName, const Painting& paint) override;
    bool printToFile(const QString& jobName, const QString& path, const Painting& paint) override;

    // The dialog alone: the chosen printer, nothing when cancelled.
    std::optional<QString> showPrintDialog(const QString& jobName);
    // The print-to-file prompt alone: the typed path, nothing when cancelled or empty.
    std::optional<QString> askOutputFile();
    QString lastError() const override { return lastError_; }

private:
    QString defaultPrinterName();
    bool fail(const QString& message);

    WindowRegistry& windows_;
    Spooler& spooler_;
    SystemLocale& locale_;
    ModalWindowView* view_;
    Trace* trace_;
    EpsWriter writer_;
    QString lastError_;
};

} // namespace vm
