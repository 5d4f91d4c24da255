#include "AccountCreation.h"

#include "ComputerAccountName.h"
#include "DirectoryResult.h"
#include "NetStrings.h"
#include "ServerResolution.h"
#include "app/AppContext.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

namespace {

using platform::NetStatus;

constexpr uint32_t UserLevel = 3;
constexpr uint32_t ComputerLevel = 1;
constexpr uint32_t GroupLevel = 1;
constexpr uint32_t PasswordExpiredNow = 0xFFFFFFFF;

bool isAccountKind(int32_t kind)
{
    return kind == account_kind::User || kind == account_kind::Computer
        || kind == account_kind::Group;
}

NetStatus addUser(const std::string &server, const QString &name, const NewAccount &account)
{
    platform::UserInfo3 info;
    info.name = To_NetStr(name);
    info.password = To_NetStr(account.Password);
    info.passwordAge = 0;
    info.priv = platform::priv::User;
    info.comment = To_NetStr(account.Description);
    info.flags = platform::uf::NormalAccount | platform::uf::Script;
    info.scriptPath = To_NetStr(account.ScriptPath);
    info.fullName = To_NetStr(account.FullName);
    info.usrComment = To_NetStr(account.UserComment);
    info.acctExpires = platform::TimeqForever;
    info.maxStorage = 0;
    info.primaryGroupId = platform::DomainUsersRid;
    info.passwordExpired = account.MustChangePassword ? PasswordExpiredNow : 0;
    return platform::net().NetUserAdd(server, UserLevel, info, nullptr);
}

NetStatus addComputer(const std::string &server, const QString &accountName,
                      const NewAccount &account)
{
    platform::UserInfo3 info;
    info.name = To_NetStr(accountName);
    info.password = To_NetStr(account.Password);
    info.passwordAge = 0;
    info.priv = platform::priv::User;
    info.comment = To_NetStr(account.Description);
    info.flags = platform::uf::WorkstationTrustAccount | platform::uf::Script;
    return platform::net().NetUserAdd(server, ComputerLevel, info, nullptr);
}

NetStatus addGroup(const std::string &server, const QString &name, const NewAccount &account)
{
    const platform::GroupInfo1 info{To_NetStr(name), To_NetStr(account.Description)};
    auto &net = platform::net();
    return account.LocalGroup ? net.NetLocalGroupAdd(server, GroupLevel, info, nullptr)
                              : net.NetGroupAdd(server, GroupLevel, info, nullptr);
}

} // namespace

int32_t Add_Account(QString &name, const QString &server, int32_t kind, NewAccount &account)
{
    if (!isAccountKind(kind))
        return directory_result::Failure;
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;

    NetStatus result = 0;
    if (kind == account_kind::User) {
        result = addUser(resolved, name, account);
    } else if (kind == account_kind::Computer) {
        // The machine's first password is its own name in lower case, as the
        // operator gave it; the machine changes it when it joins.
        account.Password = name.toLower();
        name = To_ComputerAccount(name);
        result = addComputer(resolved, name, account);
    } else {
        result = addGroup(resolved, name, account);
    }
    Remove_TrailingDollar(name);
    return result;
}

int32_t Delete_Account(QString &name, const QString &server, int32_t kind, bool localGroup)
{
    if (!isAccountKind(kind))
        return directory_result::Failure;
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;

    if (kind == account_kind::Computer)
        name = To_ComputerAccount(name);
    auto &net = platform::net();
    const std::string account = To_NetStr(name);
    NetStatus result = 0;
    if (kind != account_kind::Group)
        result = net.NetUserDel(resolved, account);
    else if (localGroup)
        result = net.NetLocalGroupDel(resolved, account);
    else
        result = net.NetGroupDel(resolved, account);
    appContext().LastNetStatus = result;
    Remove_TrailingDollar(name);
    return result;
}
