#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace vm {

// The parts of a printer's device mode that the program changes.
struct DeviceMode {
    quint32 fields = 0;       // which of the values below are set
    qint16 orientation = 1;   // 1 portrait, 2 landscape
    qint16 paperSize = 9;     // spooler paper codes: 8 A3, 9 A4
    friend bool operator==(const DeviceMode&, const DeviceMode&) = default;
};

namespace device_fields {
inline constexpr quint32 Orientation = 0x1;
inline constexpr quint32 PaperSize = 0x2;
} // namespace device_fields

namespace printer_access {
inline constexpr quint32 Administer = 0x4;
inline constexpr quint32 Use = 0x8;
inline constexpr quint32 AllAccess = 0xF000C;
} // namespace printer_access

// A printer's level-2 information.
struct PrinterInfo {
    QString printerName;
    QString driverName;
    QString portName;
    std::optional<DeviceMode> deviceMode; // the stored defaults, when any
};

// The drivers the spooler knows.
namespace printer_driver {
// Asks for an output file and writes EPS.
inline const QString printToFile = QStringLiteral("Vantamorph EPS");
} // namespace printer_driver

// The print spooler: installed printers, the default printer and each
// printer's stored defaults.
class Spooler {
public:
    virtual ~Spooler() = default;
    virtual QList<PrinterInfo> printers() = 0;
    // The "windows"/"device" profile value, "device,driver,port"; "" when none.
    virtual QString profileDevice() = 0;
    // False when no printer of that exact name is installed.
    virtual bool setDefaultPrinter(const QString& name) = 0;
    // The user's default printer that a publish set aside and that is to be
    // made the default again; "" when none is noted.
    virtual QString pendingRestore() = 0;
    // Makes name the default and notes restoreTo as the printer to bring back
    // ("" forgets the note), as one change. The note changes even when no
    // printer of that name is installed; the default then stays and the result is false.
    virtual bool switchDefaultPrinter(const QString& name, const QString& restoreTo) = 0;
    // Adds the printer unless one of that name exists; true when it is there
    // afterwards. A name with a comma is refused: the profile value cannot hold it.
    virtual bool addPrinter(const QString& name, const QString& driver, const QString& port) = 0;
    // The printer's level-2 information; nothing when it cannot be opened.
    virtual std::optional<PrinterInfo> printer(const QString& name) = 0;
    // Writes the level-2 information back; refused without administer access.
    virtual bool setPrinter(const QString& name, quint32 access, const PrinterInfo& info) = 0;

    // The driver's full device mode: with `changes`, the fields it marks merged
    // into the printer's current one (DM_IN_BUFFER | DM_OUT_BUFFER).
    std::optional<DeviceMode> documentProperties(const QString& name, const DeviceMode* changes = nullptr);
};

} // namespace vm
