#pragma once

#include "platform/api/spooler.h"

#include <QString>

namespace vm {

// The program's own printer object: the default printer, with the page
// orientation and paper size the program last gave it.
struct ApplicationPrinter {
    QString deviceName;
    qint16 orientation = 1;
    qint16 paperSize = 9;
};

// Changes the default orientation and paper size of the application's
// printer, in the spooler's stored defaults and in the printer object.
class clsPrint {
public:
    clsPrint(Spooler& spooler, ApplicationPrinter& printer) : spooler_(spooler), printer_(printer) {}

    // True when the printer could be opened.
    bool SetPrinterOrientation(int orientation, int paperSize);

    quint32 AccessLevel = 0;
    QString savedPrinterName() const { return savedName_; }
    qint16 savedOrientation() const { return savedOrientation_; }
    qint16 savedPaperSize() const { return savedPaperSize_; }

private:
    Spooler& spooler_;
    ApplicationPrinter& printer_;
    QString savedName_;
    qint16 savedOrientation_ = -1;
    qint16 savedPaperSize_ = -1;
};

} // namespace vm
