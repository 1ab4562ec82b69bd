#pragma once

#include "platform/api/system_locale.h"

namespace vm {

// The system locale from the environment (LC_ALL, then LC_MESSAGES, then
// LANG), read on every call, named as a Windows system of that language names
// it. "C", "POSIX" and an unset environment count as US English.
class LinuxSystemLocale : public SystemLocale {
public:
    quint32 systemDefaultLcid() override;
    int getLocaleInfo(quint32 lcid, int type, QString* value) override;
    QString languageCode() override;

    // "de_DE" for "de_DE.UTF-8@euro".
    static QString localeTag();
};

} // namespace vm
