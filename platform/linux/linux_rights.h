#pragma once

#include "platform/api/system_services.h"

#include <QList>
#include <optional>

namespace vm {

// Who may install a printer: root, or a member of the printer administrators.
class LinuxRights : public Rights {
public:
    int environmentQuery() override;

    // The rule on its own, for the facts of any user.
    static int environmentQuery(bool isRoot, const QList<unsigned>& groups, std::optional<unsigned> printerAdminGroup);

    // CUPS lets this group manage printers.
    static constexpr const char* printerAdminGroupName = "lpadmin";
};

} // namespace vm
