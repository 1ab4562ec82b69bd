// Installs the print-to-file printer "Vantamorph" into the user's spooler and
// ends. Running it again changes nothing.
#include "platform/printing/file_spooler.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    vm::FileSpooler spooler(vm::FileSpooler::defaultFolder(), [](const QString& problem) {
        std::fprintf(stderr, "VantamorphPrinter: %s\n", qPrintable(problem));
    });
    if (!spooler.addPrinter(QStringLiteral("Vantamorph"), vm::printer_driver::printToFile, QStringLiteral("FILE:"))) {
        std::fprintf(stderr, "VantamorphPrinter: cannot install the printer in %s\n", qPrintable(spooler.filePath()));
        return 1;
    }
    return 0;
}
