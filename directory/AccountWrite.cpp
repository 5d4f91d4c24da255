#include "AccountWrite.h"

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

constexpr uint32_t UserLevel = 3;
constexpr uint32_t ComputerLevel = 1;
constexpr uint32_t GroupLevel = 1;
constexpr uint32_t RenameLevel = 0;
constexpr uint32_t PasswordExpiredNow = 0xFFFFFFFF;

// Puts `value` into `field` when the update is full or the value is not empty.
class RecordEditor {
public:
    explicit RecordEditor(bool fullUpdate) : m_full(fullUpdate) {}
    void put(std::string &field, const QString &value)
    {
        if (!m_full && value.isEmpty())
            return;
        field = To_NetStr(value);
        m_changed = true;
    }
    void markChanged() { m_changed = true; }
    bool changed() const { return m_changed; }

private:
    bool m_full;
    bool m_changed = false;
};

struct HomeDirectory {
    QString drive;
    QString path;
};

// "[H]\\srv\x": drive H: and \\srv\x, when the first "]" stands third or later.
HomeDirectory splitHomeDir(const QString &homeDir)
{
    const qsizetype close = homeDir.indexOf(u']');
    if (homeDir.startsWith(u'[') && close >= 2)
        return {homeDir.mid(1, 1) + u':', homeDir.mid(close + 1)};
    return {QString(), homeDir};
}

uint32_t rebuiltUserFlags(const AccountChanges &changes)
{
    uint32_t flags = uf::NormalAccount | uf::Script;
    if (changes.CannotChange)
        flags |= uf::PasswdCantChange;
    if (changes.NeverExpires)
        flags |= uf::DontExpirePasswd;
    if (changes.Disabled)
        flags |= uf::AccountDisable;
    return flags;
}

void editUser(platform::UserInfo3 &info, const AccountChanges &changes, RecordEditor &editor)
{
    editor.put(info.profile, changes.Profile);
    if (changes.FullUpdate || !changes.HomeDir.isEmpty()) {
        const HomeDirectory home = splitHomeDir(changes.HomeDir);
        info.homeDir = To_NetStr(home.path);
        info.homeDirDrive = To_NetStr(home.drive);
        editor.markChanged();
    }
    editor.put(info.fullName, changes.FullName);
    editor.put(info.scriptPath, changes.Script);
    editor.put(info.comment, changes.Description);
    editor.put(info.usrComment, changes.UserComment);

    if (changes.MustChange)
        info.passwordExpired = PasswordExpiredNow; // on its own, no reason to write
    if (changes.FullUpdate) {
        info.passwordExpired = changes.MustChange ? PasswordExpiredNow : 0;
        info.flags = rebuiltUserFlags(changes);
        editor.markChanged();
    }
    if (!changes.Password.isEmpty()) {
        info.password = To_NetStr(changes.Password);
        editor.markChanged();
    }
    info.acctExpires = platform::TimeqForever;
}

// Reads, edits and writes back a user or computer account. The read's or
// the write's status.
NetStatus writeUserAccount(const std::string &server, const std::string &account, bool user,
                           const AccountChanges &changes)
{
    auto &net = platform::net();
    const uint32_t level = user ? UserLevel : ComputerLevel;
    platform::UserInfo3 info;
    NetStatus status = net.NetUserGetInfo(server, account, level, info);
    appContext().LastNetStatus = status;
    if (status != 0)
        return status;
    RecordEditor editor(changes.FullUpdate);
    if (user)
        editUser(info, changes, editor);
    else
        editor.put(info.comment, changes.Description);
    if (editor.changed()) {
        status = net.NetUserSetInfo(server, account, level, info, nullptr);
        appContext().LastNetStatus = status;
    }
    return status;
}

NetStatus writeGroup(const std::string &server, const std::string &group,
                     const AccountChanges &changes)
{
    auto &net = platform::net();
    platform::GroupInfo1 info;
    NetStatus status = changes.LocalGroup
        ? net.NetLocalGroupGetInfo(server, group, GroupLevel, info)
        : net.NetGroupGetInfo(server, group, GroupLevel, info);
    appContext().LastNetStatus = status;
    if (status != 0)
        return status;
    RecordEditor editor(changes.FullUpdate);
    editor.put(info.comment, changes.Description);
    if (editor.changed()) {
        status = changes.LocalGroup
            ? net.NetLocalGroupSetInfo(server, group, GroupLevel, info, nullptr)
            : net.NetGroupSetInfo(server, group, GroupLevel, info, nullptr);
        appContext().LastNetStatus = status;
    }
    return status;
}

NetStatus rename(const std::string &server, const std::string &account, int32_t kind,
                 const AccountChanges &changes)
{
    auto &net = platform::net();
    const std::string newName = To_NetStr(changes.NewName);
    if (kind != account_kind::Group) {
        platform::UserInfo3 info;
        info.name = newName;
        return net.NetUserSetInfo(server, account, RenameLevel, info, nullptr);
    }
    const platform::GroupInfo1 info{newName, {}};
    return changes.LocalGroup
        ? net.NetLocalGroupSetInfo(server, account, RenameLevel, info, nullptr)
        : net.NetGroupSetInfo(server, account, RenameLevel, info, nullptr);
}

} // namespace

int32_t Set_AccountInfo(QString &name, const QString &server, int32_t kind,
                        AccountChanges &changes)
{
    if (kind != account_kind::User && kind != account_kind::Computer
        && kind != account_kind::Group)
        return directory_result::Failure;
    std::string resolved;
    if (!Resolve_Server(server, resolved))
        return directory_result::NoController;

    if (kind == account_kind::Computer) {
        name = To_ComputerAccount(name);
        if (!changes.NewName.isEmpty()) {
            changes.Password = changes.NewName.toLower();
            changes.NewName = changes.NewName.toUpper() + u'$';
        }
    }
    const std::string account = To_NetStr(name);
    if (kind == account_kind::Group)
        writeGroup(resolved, account, changes);
    else
        writeUserAccount(resolved, account, kind == account_kind::User, changes);
    if (!changes.NewName.isEmpty() && appContext().LastNetStatus == 0)
        appContext().LastNetStatus = rename(resolved, account, kind, changes);

    Remove_TrailingDollar(name);
    Remove_TrailingDollar(changes.NewName);
    return appContext().LastNetStatus;
}
