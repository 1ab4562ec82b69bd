#pragma once

#include "platform/api/system_services.h"

namespace vm {

class LinuxOsFacts : public OsFacts {
public:
    QString documentsFolder() override;
    // Windows-only variables (HOMEDRIVE, HOMEPATH, windir) are simply unset here.
    QString environment(const QString& name) override;
    QString tempFolder() override;
};

} // namespace vm
