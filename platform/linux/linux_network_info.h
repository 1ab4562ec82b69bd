#pragma once

#include "platform/api/system_services.h"

namespace vm {

class LinuxNetworkInfo : public NetworkInfo {
public:
    // The first IPv4 address of an interface that is up and running, loopback excluded.
    QString localAddress() override;
};

} // namespace vm
