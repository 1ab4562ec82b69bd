#include "print/cls_print.h"

namespace vm {

bool clsPrint::SetPrinterOrientation(int orientation, int paperSize)
{
    savedName_ = printer_.deviceName;
    savedOrientation_ = printer_.orientation;
    savedPaperSize_ = printer_.paperSize;

    std::optional<PrinterInfo> info = spooler_.printer(printer_.deviceName);
    if (!info) {
        savedName_.clear();
        savedOrientation_ = -1;
        savedPaperSize_ = -1;
        return false;
    }
    DeviceMode mode = info->deviceMode ? *info->deviceMode : spooler_.documentProperties(info->printerName).value_or(DeviceMode{});
    mode.fields = device_fields::Orientation | device_fields::PaperSize;
    mode.orientation = qint16(orientation);
    mode.paperSize = qint16(paperSize);
    info->deviceMode = spooler_.documentProperties(info->printerName, &mode).value_or(mode);
    spooler_.setPrinter(info->printerName, AccessLevel, *info); // a refusal still changes the printer object

    printer_.paperSize = qint16(paperSize);
    printer_.orientation = qint16(orientation);
    return true;
}

} // namespace vm
