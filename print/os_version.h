#pragma once

#include "platform/api/os_version.h"
#include "platform/api/system_locale.h"

#include <QString>

namespace vm {

// The short Windows version name the publish dialog tests ("Vista", "2000", ...);
// "Failed" on a platform of neither Windows family.
QString GetOSVersion(OsVersion& os);
QString GetOSVersion(const OsVersionInfo& info);

// GetLocaleInfo's value without its terminating NUL; "" when there is none.
QString GetLocaleString(SystemLocale& locale, quint32 lcid, int type);

} // namespace vm
