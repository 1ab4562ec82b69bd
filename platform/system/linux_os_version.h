#pragma once

#include "platform/api/os_version.h"

namespace vm {

// The running system's version record: a platform that is none of Windows'.
class LinuxOsVersion : public OsVersion {
public:
    bool getVersionEx(OsVersionInfo& info) override;
};

} // namespace vm
