#include "AccountRead.h"

#include "AccountValues.h"
#include "ComputerAccountName.h"
#include "DirectoryResult.h"
#include "NetStrings.h"
#include "ServerResolution.h"
#include "app/AppContext.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

using platform::NetStatus;
namespace uf = platform::uf;

constexpr uint32_t CheckLevel = 1;
constexpr uint32_t UserInfoLevel = 3;
constexpr uint32_t ComputerInfoLevel = 1;
constexpr uint32_t GroupInfoLevel = 1;
constexpr uint32_t MachineInfoLevel = 101;

NetStatus readGroup(const std::string &server, const QString &name, bool localGroup,
                    platform::GroupInfo1 &info)
{
    auto &net = platform::net();
    return localGroup ? net.NetLocalGroupGetInfo(server, To_NetStr(name), GroupInfoLevel, info)
                      : net.NetGroupGetInfo(server, To_NetStr(name), GroupInfoLevel, info);
}

void setUserFlags(uint32_t flags, bool &cannotChange, bool &neverExpires, bool &disabled,
                  bool &lockedOut)
{
    if (flags & uf::PasswdCantChange)
        cannotChange = true;
    if (flags & uf::DontExpirePasswd)
        neverExpires = true;
    if (flags & uf::AccountDisable)
        disabled = true;
    if (flags & uf::Lockout)
        lockedOut = true;
}

// Reads the account or machine and appends its values; the read's status.
NetStatus readValues(const std::string &server, const QString &name, int32_t kind,
                     bool localGroup, QVariantList &items, uint32_t &userFlags)
{
    auto &net = platform::net();
    NetStatus status = 0;
    if (kind == account_kind::User || kind == account_kind::Computer) {
        platform::UserInfo3 info;
        const bool user = kind == account_kind::User;
        status = net.NetUserGetInfo(server, To_NetStr(name),
                                    user ? UserInfoLevel : ComputerInfoLevel, info);
        appContext().LastNetStatus = status;
        if (status == 0)
            user ? Append_UserValues(info, items) : Append_ComputerValues(info, items);
        userFlags = info.flags;
    } else if (kind == account_kind::Group) {
        platform::GroupInfo1 info;
        status = readGroup(server, name, localGroup, info);
        appContext().LastNetStatus = status;
        if (status == 0)
            Append_GroupValues(info, items);
    } else {
        // The machine answers for itself, whatever server the domain resolved to.
        platform::ServerInfo101 info;
        status = net.NetServerGetInfo(To_NetStr(name), MachineInfoLevel, info);
        appContext().LastNetStatus = status;
        if (status == 0)
            Append_MachineValues(info, items);
    }
    return status;
}

} // namespace

int32_t Check_Account(QString &name, const QString &server, int32_t kind, bool localGroup)
{
    if (kind != account_kind::User && kind != account_kind::Computer
        && kind != account_kind::Group)
        return directory_result::Failure;
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;

    if (kind == account_kind::Computer)
        name = To_ComputerAccount(name);
    NetStatus status = 0;
    if (kind == account_kind::Group) {
        platform::GroupInfo1 info;
        status = readGroup(resolved, name, localGroup, info);
    } else {
        platform::UserInfo3 info;
        status = platform::net().NetUserGetInfo(resolved, To_NetStr(name), CheckLevel, info);
    }
    appContext().LastNetStatus = status;
    Remove_TrailingDollar(name);
    return status;
}

int32_t Get_AccountInfo(QString &name, const QString &server, int32_t kind, QVariantList &items,
                        bool localGroup, bool &cannotChange, bool &neverExpires, bool &disabled,
                        bool &lockedOut)
{
    if (kind != account_kind::User && kind != account_kind::Computer
        && kind != account_kind::Group && kind != account_kind::Machine)
        return directory_result::Failure;
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;

    if (kind == account_kind::Computer)
        name = To_ComputerAccount(name);
    uint32_t userFlags = 0;
    const NetStatus status = readValues(resolved, name, kind, localGroup, items, userFlags);
    if (status == 0 && kind == account_kind::User)
        setUserFlags(userFlags, cannotChange, neverExpires, disabled, lockedOut);
    Remove_TrailingDollar(name);
    return status;
}
