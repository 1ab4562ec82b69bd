#include "platform/api/spooler.h"

namespace vm {

std::optional<DeviceMode> Spooler::documentProperties(const QString& name, const DeviceMode* changes)
{
    const std::optional<PrinterInfo> info = printer(name);
    if (!info)
        return std::nullopt;
    DeviceMode merged = info->deviceMode.value_or(DeviceMode{});
    merged.fields |= device_fields::Orientation | device_fields::PaperSize;
    if (changes) {
        if (changes->fields & device_fields::Orientation)
            merged.orientation = changes->orientation;
        if (changes->fields & device_fields::PaperSize)
            merged.paperSize = changes->paperSize;
    }
    return merged;
}

} // namespace vm
