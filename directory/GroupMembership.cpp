#include "GroupMembership.h"

#include "DirectoryResult.h"
#include "NetStrings.h"
#include "ServerResolution.h"
#include "app/AppContext.h"
#include "app/Seams.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

using platform::NetStatus;
namespace status = platform::status;

constexpr uint32_t PreferredMaxLength = 64000;
constexpr uint32_t NameLevel = 0;
constexpr uint32_t MemberLevel = 3;

struct MemberChunk {
    NetStatus status = 0;
    QStringList names;
    uint32_t total = 0;
};

MemberChunk readMembers(const std::string &server, const std::string &group, bool localGroup,
                        uint32_t &resume)
{
    auto &net = platform::net();
    MemberChunk chunk;
    uint32_t read = 0;
    if (localGroup) {
        std::vector<platform::LocalGroupMembersInfo3> records;
        chunk.status = net.NetLocalGroupGetMembers(server, group, MemberLevel, records,
                                                   PreferredMaxLength, read, chunk.total,
                                                   resume);
        for (const auto &record : records)
            chunk.names.append(Get_StrFromPtr(record.domainAndName));
    } else {
        std::vector<platform::GroupUsersInfo0> records;
        chunk.status = net.NetGroupGetUsers(server, group, NameLevel, records,
                                            PreferredMaxLength, read, chunk.total, resume);
        for (const auto &record : records)
            chunk.names.append(Get_StrFromPtr(record.name));
    }
    return chunk;
}

std::vector<platform::LocalGroupMembersInfo3> oneMember(const QString &member)
{
    return {platform::LocalGroupMembersInfo3{To_NetStr(member)}};
}

} // namespace

int32_t Get_GroupMembers(const QString &server, const QString &group, QStringList &items,
                         bool localGroup)
{
    if (group.isEmpty())
        return int32_t(items.size());
    const std::string serverName = To_NetStr(server);
    const std::string groupName = To_NetStr(group);
    uint32_t resume = 0;
    for (bool more = true; more;) {
        const MemberChunk chunk = readMembers(serverName, groupName, localGroup, resume);
        appContext().LastNetStatus = chunk.status;
        if (chunk.status != status::Success && chunk.status != status::MoreData)
            return 0;
        items.append(chunk.names);
        seams::doEvents();
        // A chunk that reads nothing cannot advance the resume handle.
        more = uint32_t(chunk.names.size()) != chunk.total && chunk.status != status::Success
            && !chunk.names.isEmpty();
    }
    return int32_t(items.size());
}

int32_t Get_UserGroups(const QString &server, const QString &user, QStringList &items,
                       bool localGroup)
{
    auto &net = platform::net();
    std::vector<platform::GroupUsersInfo0> records;
    uint32_t read = 0;
    uint32_t total = 0;
    const NetStatus result = localGroup
        ? net.NetUserGetLocalGroups(To_NetStr(server), To_NetStr(user), NameLevel,
                                    platform::LgIncludeIndirect, records, PreferredMaxLength,
                                    read, total)
        : net.NetUserGetGroups(To_NetStr(server), To_NetStr(user), NameLevel, records,
                               PreferredMaxLength, read, total);
    appContext().LastNetStatus = result;
    if (result != status::Success)
        return 0;
    for (const auto &record : records) {
        const QString name = Get_StrFromPtr(record.name);
        if (name.toUpper() != QStringLiteral("NONE"))
            items.append(name);
    }
    return int32_t(items.size());
}

int32_t Add_GroupMember(const QString &member, const QString &server, const QString &group,
                        bool localGroup)
{
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;
    auto &net = platform::net();
    if (localGroup)
        return net.NetLocalGroupAddMembers(resolved, To_NetStr(group), MemberLevel,
                                           oneMember(member));
    return net.NetGroupAddUser(resolved, To_NetStr(group), To_NetStr(member));
}

int32_t Delete_GroupMember(const QString &member, const QString &server, const QString &group,
                           bool localGroup)
{
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;
    auto &net = platform::net();
    if (localGroup)
        return net.NetLocalGroupDelMembers(resolved, To_NetStr(group), MemberLevel,
                                           oneMember(member));
    return net.NetGroupDelUser(resolved, To_NetStr(group), To_NetStr(member));
}
