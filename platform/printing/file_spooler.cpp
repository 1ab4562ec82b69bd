#include "platform/printing/file_spooler.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace vm {

namespace {
const QString fileName = QStringLiteral("spooler.json");
const QString keyPrinters = QStringLiteral("printers");
const QString keyDefault = QStringLiteral("device");
const QString keyName = QStringLiteral("name");
const QString keyDriver = QStringLiteral("driver");
const QString keyPort = QStringLiteral("port");
const QString keyMode = QStringLiteral("devmode");
const QString keyFields = QStringLiteral("fields");
const QString keyOrientation = QStringLiteral("orientation");
const QString keyPaper = QStringLiteral("paper");
const QString keyPendingRestore = QStringLiteral("pendingRestore");
constexpr int lockWaitMs = 5000;

PrinterInfo fromJson(const QJsonObject& entry)
{
    PrinterInfo info{entry.value(keyName).toString(), entry.value(keyDriver).toString(),
                     entry.value(keyPort).toString(), std::nullopt};
    if (entry.value(keyMode).isObject()) {
        const QJsonObject mode = entry.value(keyMode).toObject();
        info.deviceMode = DeviceMode{quint32(mode.value(keyFields).toInteger()),
                                     qint16(mode.value(keyOrientation).toInt(1)),
                                     qint16(mode.value(keyPaper).toInt(9))};
    }
    return info;
}

QJsonObject toJson(const PrinterInfo& info)
{
    QJsonObject entry{{keyName, info.printerName}, {keyDriver, info.driverName}, {keyPort, info.portName}};
    if (info.deviceMode)
        entry.insert(keyMode, QJsonObject{{keyFields, qint64(info.deviceMode->fields)},
                                          {keyOrientation, info.deviceMode->orientation},
                                          {keyPaper, info.deviceMode->paperSize}});
    return entry;
}

// A store is usable when it has the shape this class writes.
bool wellFormed(const QJsonObject& store)
{
    if (!store.value(keyPrinters).isArray() || !store.value(keyDefault).isString())
        return false;
    for (const QJsonValue& entry : store.value(keyPrinters).toArray())
        if (!entry.isObject() || !entry.toObject().value(keyName).isString())
            return false;
    return true;
}

QJsonObject emptyStore()
{
    return QJsonObject{{keyPrinters, QJsonArray()}, {keyDefault, QString()}};
}
} // namespace

FileSpooler::FileSpooler(QString folder, Reporter report) : folder_(std::move(folder)), report_(std::move(report)) {}

QString FileSpooler::defaultFolder()
{
    const QString overridden = qEnvironmentVariable("VANTAMORPH_SPOOLER_DIR");
    if (!overridden.isEmpty())
        return overridden;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/Vantamorph");
}

QString FileSpooler::filePath() const
{
    return folder_ + QLatin1Char('/') + fileName;
}

QJsonObject FileSpooler::read()
{
    QFile file(filePath());
    if (!file.exists())
        return emptyStore();
    if (!file.open(QIODevice::ReadOnly)) {
        if (report_)
            report_(QStringLiteral("The printer list %1 cannot be read.").arg(filePath()));
        return emptyStore();
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error == QJsonParseError::NoError && document.isObject() && wellFormed(document.object()))
        return document.object();
    if (report_)
        report_(QStringLiteral("The printer list %1 was damaged and has been rebuilt.").arg(filePath()));
    file.close();
    const QString keep = filePath() + QStringLiteral(".corrupt");
    QFile::remove(keep);
    QFile::rename(filePath(), keep);
    return emptyStore();
}

bool FileSpooler::write(const QJsonObject& store)
{
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(store).toJson());
    return file.commit();
}

bool FileSpooler::update(const std::function<bool(QJsonObject&)>& change)
{
    if (!QDir().mkpath(folder_))
        return false;
    QLockFile lock(filePath() + QStringLiteral(".lock"));
    if (!lock.tryLock(lockWaitMs)) {
        if (report_)
            report_(QStringLiteral("The printer list %1 is locked by another program.").arg(filePath()));
        return false;
    }
    QJsonObject store = read();
    const QJsonObject before = store;
    if (!change(store))
        return false;
    return store == before || write(store);
}

QList<PrinterInfo> FileSpooler::printers()
{
    QList<PrinterInfo> list;
    for (const QJsonValue& entry : read().value(keyPrinters).toArray())
        list.append(fromJson(entry.toObject()));
    return list;
}

QString FileSpooler::profileDevice()
{
    return read().value(keyDefault).toString();
}

namespace {
// Makes the printer of that exact name the default; false when none is installed.
bool makeDefault(QJsonObject& store, const QString& name)
{
    for (const QJsonValue& entry : store.value(keyPrinters).toArray()) {
        const PrinterInfo info = fromJson(entry.toObject());
        if (info.printerName == name) {
            store.insert(keyDefault,
                         info.printerName + QLatin1Char(',') + info.driverName + QLatin1Char(',') + info.portName);
            return true;
        }
    }
    return false;
}
} // namespace

bool FileSpooler::setDefaultPrinter(const QString& name)
{
    return update([&](QJsonObject& store) { return makeDefault(store, name); });
}

QString FileSpooler::pendingRestore()
{
    return read().value(keyPendingRestore).toString();
}

bool FileSpooler::switchDefaultPrinter(const QString& name, const QString& restoreTo)
{
    bool switched = false;
    const bool written = update([&](QJsonObject& store) {
        if (restoreTo.isEmpty())
            store.remove(keyPendingRestore);
        else
            store.insert(keyPendingRestore, restoreTo);
        switched = makeDefault(store, name);
        return true;
    });
    return written && switched;
}

bool FileSpooler::addPrinter(const QString& name, const QString& driver, const QString& port)
{
    // The profile value "device,driver,port" could not hold a name with a comma.
    if (name.isEmpty() || name.contains(QLatin1Char(',')))
        return false;
    bool present = false;
    const bool written = update([&](QJsonObject& store) {
        QJsonArray list = store.value(keyPrinters).toArray();
        for (const QJsonValue& entry : list)
            if (entry.toObject().value(keyName).toString().compare(name, Qt::CaseInsensitive) == 0) {
                present = true;
                return false;
            }
        list.append(toJson(PrinterInfo{name, driver, port, DeviceMode{}}));
        store.insert(keyPrinters, list);
        // A first printer becomes the default, as a spooler does.
        if (store.value(keyDefault).toString().isEmpty())
            store.insert(keyDefault, name + QLatin1Char(',') + driver + QLatin1Char(',') + port);
        return true;
    });
    return written || present;
}

std::optional<PrinterInfo> FileSpooler::printer(const QString& name)
{
    for (const PrinterInfo& info : printers())
        if (info.printerName == name)
            return info;
    return std::nullopt;
}

bool FileSpooler::setPrinter(const QString& name, quint32 access, const PrinterInfo& info)
{
    if (!(access & printer_access::Administer))
        return false;
    return update([&](QJsonObject& store) {
        QJsonArray list = store.value(keyPrinters).toArray();
        for (qsizetype index = 0; index < list.size(); ++index) {
            PrinterInfo stored = fromJson(list.at(index).toObject());
            if (stored.printerName != name)
                continue;
            // The name, driver and port stay: only the defaults change here.
            stored.deviceMode = info.deviceMode;
            list.replace(index, toJson(stored));
            store.insert(keyPrinters, list);
            return true;
        }
        return false;
    });
}

} // namespace vm
