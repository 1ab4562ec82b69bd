#pragma once

#include "platform/api/print_services.h"
#include "print/cls_print.h"
#include "print/print_seams.h"

#include <QString>
#include <optional>

namespace vm {

class Form;

// The printer routines of the publish dialog: note the user's default
// printer, make the print-to-file printer the default (installing it when the
// user may), and put the user's printer back when the publish has finished.
class PrinterSetup {
public:
    PrinterSetup(const PrintSeams& host, PrintServices& services);

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
    // Makes the printer the default; always true, a refused change is not
    // retried. The print-to-file printer is also put into portrait A3, and the
    // user's printer (PreviousDefaultPrinter) is noted in the spooler so that
    // a run that ends mid-publish gives it back at the next start. Any other
    // printer only becomes the default again, its own settings untouched.
    bool SelectPrinter(const QString& deviceName);
    // Makes PreviousDefaultPrinter the default again and forgets the note;
    // nothing when it is blank.
    void RestoreDefaultPrinter();
    int InstallPrinter(const QString& commandLine);
    // The end of every publish.
    void RestorePrinter(Form* publishDialog);
    void BringWindowFront();

    // At start-up: a run that ended mid-publish left the print-to-file printer
    // the default; the user's printer it noted becomes the default again.
    static void RestoreAfterInterruptedPublish(Spooler& spooler);

    QString PreviousDefaultPrinter;
    ApplicationPrinter& applicationPrinter() { return printer_; }

private:
    QString installedPrintToFilePrinter();

    PrintSeams host_;
    PrintServices& services_;
    ApplicationPrinter printer_;
};

} // namespace vm
