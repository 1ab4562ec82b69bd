#pragma once

#include <QString>

namespace vm {

namespace locale_info {
inline constexpr int Language = 2; // LOCALE_SLANGUAGE: "Deutsch (Deutschland)"
inline constexpr int EnglishLanguage = 0x1001;
} // namespace locale_info

// The system's language, as the Windows locale calls would report it.
class SystemLocale {
public:
    virtual ~SystemLocale() = default;
    virtual quint32 systemDefaultLcid() = 0;
    // GetLocaleInfo: the length of the value with its terminating NUL, 0 when
    // the locale or the type is unknown. value may be null (length query).
    virtual int getLocaleInfo(quint32 lcid, int type, QString* value) = 0;
    // The language of the system locale, "de" for "de_DE.UTF-8".
    virtual QString languageCode() = 0;
};

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
