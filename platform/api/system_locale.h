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

} // namespace vm
