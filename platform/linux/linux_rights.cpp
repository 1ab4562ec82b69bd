#include "platform/linux/linux_rights.h"

#include <cerrno>
#include <grp.h>
#include <unistd.h>
#include <vector>

namespace vm {

namespace {

std::optional<unsigned> groupId(const char* name)
{
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 1024);
    group entry{};
    group* found = nullptr;
    // Large group databases report ERANGE: grow and ask again.
    while (::getgrnam_r(name, &entry, buffer.data(), buffer.size(), &found) == ERANGE && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (!found)
        return std::nullopt;
    return unsigned(found->gr_gid);
}

QList<unsigned> currentGroups()
{
    QList<unsigned> groups{unsigned(::getegid())};
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return groups;
    std::vector<gid_t> ids(static_cast<size_t>(count));
    const int read = ::getgroups(count, ids.data());
    for (int i = 0; i < read; ++i)
        groups.append(unsigned(ids[size_t(i)]));
    return groups;
}

} // namespace

int LinuxRights::environmentQuery()
{
    return environmentQuery(::geteuid() == 0, currentGroups(), groupId(printerAdminGroupName));
}

int LinuxRights::environmentQuery(bool isRoot, const QList<unsigned>& groups, std::optional<unsigned> printerAdminGroup)
{
    if (isRoot)
        return 1;
    return printerAdminGroup && groups.contains(*printerAdminGroup) ? 1 : 0;
}

} // namespace vm
