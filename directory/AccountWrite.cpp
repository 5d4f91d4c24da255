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

// The flags a full update manages; every other one (smart card required, not
// delegated, DES only, ...) stays as read, unless the account starts afresh.
constexpr uint32_t ManagedFlags = uf::PasswdCantChange | uf::DontExpirePasswd
    | uf::AccountDisable | uf::Lockout | uf::PasswordExpired;

uint32_t rebuiltUserFlags(uint32_t current, const AccountChanges &changes)
{
    uint32_t flags = uf::NormalAccount | uf::Script;
    if (!changes.FreshAccount)
        flags |= current & ~ManagedFlags;
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
        info.flags = rebuiltUserFlags(info.flags, changes);
        if (changes.FreshAccount)
            info.acctExpires = platform::TimeqForever;
        editor.markChanged();
    }
    if (!changes.Password.isEmpty()) {
        info.password = To_NetStr(changes.Password);
        editor.markChanged();
    }
}

NetStatus renameAccount(const std::string &server, const std::string &from,
                        const std::string &to, int32_t kind, bool localGroup)
{
    auto &net = platform::net();
    if (kind != account_kind::Group) {
        platform::UserInfo3 info;
        info.name = to;
        return net.NetUserSetInfo(server, from, RenameLevel, info, nullptr);
    }
    const platform::GroupInfo1 info{to, {}};
    return localGroup ? net.NetLocalGroupSetInfo(server, from, RenameLevel, info, nullptr)
                      : net.NetGroupSetInfo(server, from, RenameLevel, info, nullptr);
}

// One account's change: the record as read, what is to be written, and the
// name it is written under.
struct AccountEdit {
    std::string server;
    std::string account;
    int32_t kind = account_kind::User;
    bool localGroup = false;
    bool changed = false;
    platform::UserInfo3 user;
    platform::GroupInfo1 group;
};

NetStatus readAndEdit(AccountEdit &edit, const AccountChanges &changes)
{
    auto &net = platform::net();
    RecordEditor editor(changes.FullUpdate);
    NetStatus status = 0;
    if (edit.kind == account_kind::Group) {
        status = edit.localGroup
            ? net.NetLocalGroupGetInfo(edit.server, edit.account, GroupLevel, edit.group)
            : net.NetGroupGetInfo(edit.server, edit.account, GroupLevel, edit.group);
        if (status == 0)
            editor.put(edit.group.comment, changes.Description);
    } else {
        const bool user = edit.kind == account_kind::User;
        status = net.NetUserGetInfo(edit.server, edit.account, user ? UserLevel : ComputerLevel,
                                    edit.user);
        if (status == 0 && user)
            editUser(edit.user, changes, editor);
        else if (status == 0)
            editor.put(edit.user.comment, changes.Description);
    }
    edit.changed = editor.changed();
    return status;
}

NetStatus writeEdit(const AccountEdit &edit, const std::string &account)
{
    auto &net = platform::net();
    if (edit.kind == account_kind::Group)
        return edit.localGroup
            ? net.NetLocalGroupSetInfo(edit.server, account, GroupLevel, edit.group, nullptr)
            : net.NetGroupSetInfo(edit.server, account, GroupLevel, edit.group, nullptr);
    const uint32_t level = edit.kind == account_kind::User ? UserLevel : ComputerLevel;
    return net.NetUserSetInfo(edit.server, account, level, edit.user, nullptr);
}

// Rename first, so that a name the directory refuses (taken, too long)
// leaves the account untouched; a write refused under the new name is
// undone by renaming back.
NetStatus renameAndWrite(const AccountEdit &edit, const std::string &newName)
{
    NetStatus status =
        renameAccount(edit.server, edit.account, newName, edit.kind, edit.localGroup);
    if (status != 0 || !edit.changed)
        return status;
    AccountEdit renamed = edit;
    renamed.user.name = renamed.group.name = newName;
    status = writeEdit(renamed, newName);
    if (status != 0)
        renameAccount(edit.server, newName, edit.account, edit.kind, edit.localGroup);
    return status;
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
    AccountEdit edit;
    edit.server = resolved;
    edit.account = To_NetStr(name);
    edit.kind = kind;
    edit.localGroup = changes.LocalGroup;
    NetStatus status = readAndEdit(edit, changes);
    if (status == 0 && !changes.NewName.isEmpty())
        status = renameAndWrite(edit, To_NetStr(changes.NewName));
    else if (status == 0 && edit.changed)
        status = writeEdit(edit, edit.account);
    appContext().LastNetStatus = status;

    Remove_TrailingDollar(name);
    Remove_TrailingDollar(changes.NewName);
    return appContext().LastNetStatus;
}
