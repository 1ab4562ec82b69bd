#include "print/os_version.h"

namespace vm {

QString GetOSVersion(const OsVersionInfo& info)
{
    if (info.platformId == os_platform::Windows9x) {
        switch (info.minorVersion) {
        case 0: return QStringLiteral("95");
        case 10: return QStringLiteral("98");
        case 90: return QStringLiteral("ME");
        default: return QString();
        }
    }
    if (info.platformId == os_platform::WindowsNt) {
        switch (info.majorVersion) {
        case 3: return QStringLiteral("3.51");
        case 4: return QStringLiteral("4.0");
        case 5:
            if (info.minorVersion == 0)
                return QStringLiteral("2000");
            if (info.minorVersion == 1)
                return QStringLiteral("WinXP/NT Server");
            return QString();
        case 6: return QStringLiteral("Vista");
        default: return QString();
        }
    }
    return QStringLiteral("Failed");
}

QString GetOSVersion(OsVersion& os)
{
    OsVersionInfo info;
    info.size = 148;
    if (!os.getVersionEx(info))
        info.platformId = 0; // an unfilled record names no known platform
    return GetOSVersion(info);
}

QString GetLocaleString(SystemLocale& locale, quint32 lcid, int type)
{
    const int length = locale.getLocaleInfo(lcid, type, nullptr);
    if (length == 0)
        return QString();
    QString value;
    if (locale.getLocaleInfo(lcid, type, &value) == 0)
        return QString();
    return value.left(length - 1);
}

} // namespace vm
