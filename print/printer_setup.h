#pragma once

#include "platform/api/print_services.h"
#include "print/cls_print.h"

#include <QString>
#include <optional>

namespace vm {

class Form;
class Host;

// The printer routines of the publish dialog: note the user's default
// printer, make the print-to-file printer the default (installing it when the
// user may), and put the user's printer back when the publish has finished.
class PrinterSetup {
public:
    PrinterSetup(Host& host, PrintServices& services);

    enum class Outcome {
        Ready,        // the print-to-file printer is the default; go on
        Stopped,      // end the publish
        UnloadDialog, // end the publish and unload the publish dialog
    };
    // The printer preparation of a publish; publishDialog owns the question.
    Outcome PreparePrinter(Form* publishDialog);

    // The default printer; records PreviousDefaultPrinter. Raises a run-time
    // error when no installed printer carries the profile's device name.
    PrinterInfo GetDefaultPrinter();
    // Always true; a refused change is not retried.
    bool SelectPrinter(const QString& deviceName);
    int InstallPrinter(const QString& commandLine);
    // The end of every publish.
    void RestorePrinter(Form* publishDialog);
    void BringWindowFront();

    QString PreviousDefaultPrinter;
    ApplicationPrinter& applicationPrinter() { return printer_; }

private:
    QString installedPrintToFilePrinter();

    Host& host_;
    PrintServices& services_;
    ApplicationPrinter printer_;
};

} // namespace vm
