#pragma once

#include "platform/api/system_services.h"

namespace vm {

class LinuxOsFacts : public OsFacts {
public:
    QString documentsFolder() override;
    // Windows-only variables (HOMEDRIVE, HOMEPATH, windir) are simply unset here.
    QString environment(const QString& name) override;
    // A private folder of this user's under the runtime or temporary folder; "" when none can be had.
    QString tempFolder() override;
};

} // namespace vm
