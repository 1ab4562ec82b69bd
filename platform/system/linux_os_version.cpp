#include "platform/system/linux_os_version.h"

#include <QStringList>
#include <QSysInfo>

namespace vm {

bool LinuxOsVersion::getVersionEx(OsVersionInfo& info)
{
    if (info.size != 148 && info.size != 156)
        return false;
    const QStringList numbers = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    info.majorVersion = numbers.value(0).toUInt();
    info.minorVersion = numbers.value(1).toUInt();
    info.buildNumber = numbers.value(2).section(QLatin1Char('-'), 0, 0).toUInt();
    info.platformId = os_platform::Linux;
    info.servicePack = QSysInfo::prettyProductName();
    return true;
}

} // namespace vm
