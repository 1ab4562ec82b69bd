#pragma once

#include "platform/api/system_services.h"

#include <QString>

namespace vm {

// Who may install the print-to-file printer: it lives in the user's own
// printer store, so anyone who can write that store may, no administrator
// needed. The store is given, not guessed, so the answer matches the folder
// the spooler really uses.
class LinuxRights : public Rights {
public:
    explicit LinuxRights(QString printerStore);

    // 1 when the store folder can be written, or created under its nearest
    // existing ancestor; 0 otherwise (an empty path included).
    int environmentQuery() override;

private:
    QString printerStore_;
};

} // namespace vm
