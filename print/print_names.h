#pragma once

#include "platform/api/path_style.h"

#include <QString>

namespace vm::print_names {

// The print-to-file printer, compared with installed printers ignoring case.
inline const QString printToFilePrinter = QStringLiteral("Vantamorph");
// Its helper program in the program folder; running it installs the printer.
inline QString helperProgram()
{
    return QStringLiteral("VantamorphPrinter") + path_style::executableSuffix;
}

inline const QString messageNoPrinter = QStringLiteral("Printer not found. You do not have permission to install printer.");
inline const QString messageHelperMissing = QStringLiteral("VantamorphPrinter.exe missing");
inline const QString messageClosePrinter = QStringLiteral("Close Printer");
inline const QString messageRestorePrinter = QStringLiteral(" Restore Printer");

} // namespace vm::print_names
