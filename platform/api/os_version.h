#pragma once

#include <QString>

namespace vm {

// GetVersionEx's record.
struct OsVersionInfo {
    quint32 size = 148;
    quint32 majorVersion = 0;
    quint32 minorVersion = 0;
    quint32 buildNumber = 0;
    quint32 platformId = 0;
    QString servicePack;
};

namespace os_platform {
inline constexpr quint32 Windows9x = 1;
inline constexpr quint32 WindowsNt = 2;
inline constexpr quint32 Linux = 0x100; // none of the Windows families
} // namespace os_platform

class OsVersion {
public:
    virtual ~OsVersion() = default;
    virtual bool getVersionEx(OsVersionInfo& info) = 0;
};

} // namespace vm
