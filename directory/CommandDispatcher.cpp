#include "CommandDispatcher.h"

#include "AccountCreation.h"
#include "AccountWrite.h"
#include "DirectoryResult.h"
#include "GroupCleanup.h"
#include "GroupMembership.h"
#include "RandomPassword.h"

#include <array>

namespace {

using Handler = int32_t (*)(QString &name, const QString &server, ArgumentReader &opt);

// The report of the command running now (the program changes the directory
// from its one interface thread only); null when the caller wants none.
CommandReport *t_report = nullptr;

void reportKeptBy(const QStringList &keptBy)
{
    if (t_report)
        t_report->keptBy.append(keptBy);
}

// --- Creation and deletion -------------------------------------------------

int32_t addComputer(QString &name, const QString &server, ArgumentReader &opt)
{
    NewAccount account;
    account.Description = opt.text(1);
    if (opt.failed())
        return directory_result::Failure;
    return Add_Account(name, server, account_kind::Computer, account);
}

int32_t addGroup(QString &name, const QString &server, ArgumentReader &opt)
{
    NewAccount account;
    account.Description = opt.text(1);
    account.LocalGroup = opt.flag(2);
    if (opt.failed())
        return directory_result::Failure;
    return Add_Account(name, server, account_kind::Group, account);
}

int32_t addUser(QString &name, const QString &server, ArgumentReader &opt)
{
    NewAccount account;
    account.FullName = opt.text(1);
    account.Password = opt.text(2);
    account.ScriptPath = opt.text(3);
    account.Description = opt.text(4);
    account.UserComment = opt.text(5);
    account.MustChangePassword = opt.flag(6);
    if (opt.failed())
        return directory_result::Failure;
    return Add_Account(name, server, account_kind::User, account);
}

int32_t deleteComputer(QString &name, const QString &server, ArgumentReader &)
{
    return Delete_Account(name, server, account_kind::Computer, false);
}

int32_t deleteGroup(QString &name, const QString &server, ArgumentReader &opt)
{
    const bool localGroup = opt.flag(1);
    if (opt.failed())
        return directory_result::Failure;
    return Delete_Account(name, server, account_kind::Group, localGroup);
}

int32_t deleteUser(QString &name, const QString &server, ArgumentReader &)
{
    return Delete_Account(name, server, account_kind::User, false);
}

// --- Changes ------------------------------------------------------------------

int32_t change(QString &name, const QString &server, int32_t kind, AccountChanges &changes,
               const ArgumentReader &opt)
{
    if (opt.failed())
        return directory_result::Failure;
    return Set_AccountInfo(name, server, kind, changes);
}

// Takes a soft-deleted account back into use: first out of every group the
// clean-up of a soft delete leaves it in (accounts soft-deleted before that
// clean-up existed too), then renamed to Opt7 and given a fresh account's
// state with every property and the password rewritten, enabled. Opt8, when
// given, is the domain the account is in, so that the local groups of the
// other listed domains let it go as well.
int32_t reuseUser(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.FreshAccount = true;
    changes.Description = opt.text(1);
    changes.FullName = opt.text(2);
    changes.Script = opt.text(3);
    changes.UserComment = opt.text(4);
    changes.MustChange = opt.flag(5);
    changes.Password = opt.text(6);
    changes.NewName = opt.text(7);
    const QString domain = opt.optionalText(8);
    if (opt.failed())
        return directory_result::Failure;
    QStringList keptBy;
    if (const int32_t result = Clean_UserGroups(name, server, domain, keptBy))
        return result;
    reportKeptBy(keptBy);
    return Set_AccountInfo(name, server, account_kind::User, changes);
}

// The soft delete ("enabled for reuse"): the account stays, renamed to Opt1
// when given, disabled and stripped (its expiry and other flags kept), then
// taken out of its groups (Opt2, when given, is its domain: see reuseUser).
// Its password becomes a fresh random one, so that no word known to every
// copy of the program opens it and a domain that enforces complexity accepts
// it. A rename or write that fails leaves the account as it was.
int32_t softDeleteUser(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.NewName = opt.text(1);
    const QString domain = opt.optionalText(2);
    if (opt.failed())
        return directory_result::Failure;
    changes.FullName = QStringLiteral("Disabled");
    changes.Description = QStringLiteral("Disabled");
    changes.Disabled = true;
    changes.Password = Generate_Password();
    const int32_t result = Set_AccountInfo(name, server, account_kind::User, changes);
    changes.Password.fill(QChar(u'\0'));
    if (result != directory_result::Success)
        return result;
    QStringList keptBy;
    const QString current = changes.NewName.isEmpty() ? name : changes.NewName;
    const int32_t cleaned = Clean_UserGroups(current, server, domain, keptBy);
    reportKeptBy(keptBy);
    if (cleaned != directory_result::Success && t_report)
        t_report->renamedTo = current;
    return cleaned;
}

int32_t describeComputer(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.Description = opt.text(1);
    return change(name, server, account_kind::Computer, changes, opt);
}

int32_t renameComputer(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.NewName = opt.text(1);
    return change(name, server, account_kind::Computer, changes, opt);
}

int32_t modifyUser(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.FullUpdate = true;
    changes.HomeDir = opt.text(1);
    changes.Profile = opt.text(2);
    changes.Description = opt.text(3);
    changes.FullName = opt.text(4);
    changes.Script = opt.text(5);
    changes.UserComment = opt.text(6);
    changes.MustChange = opt.flag(7);
    changes.CannotChange = opt.flag(8);
    changes.NeverExpires = opt.flag(9);
    changes.Disabled = opt.flag(10);
    return change(name, server, account_kind::User, changes, opt);
}

int32_t renameUser(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.NewName = opt.text(1);
    return change(name, server, account_kind::User, changes, opt);
}

int32_t setUserPassword(QString &name, const QString &server, ArgumentReader &opt)
{
    AccountChanges changes;
    changes.MustChange = opt.flag(1);
    changes.Password = opt.text(2);
    return change(name, server, account_kind::User, changes, opt);
}

// --- Membership: the member is the account name, the group Opt1 -------------

int32_t removeMember(QString &member, const QString &server, ArgumentReader &opt)
{
    const QString group = opt.text(1);
    const bool localGroup = opt.flag(2);
    if (opt.failed())
        return directory_result::Failure;
    return Delete_GroupMember(member, server, group, localGroup);
}

int32_t addMember(QString &member, const QString &server, ArgumentReader &opt)
{
    const QString group = opt.text(1);
    const bool localGroup = opt.flag(2);
    if (opt.failed())
        return directory_result::Failure;
    return Add_GroupMember(member, server, group, localGroup);
}

int32_t addLocalMember(QString &member, const QString &server, ArgumentReader &opt)
{
    const QString group = opt.text(1);
    if (opt.failed())
        return directory_result::Failure;
    return Add_GroupMember(member, server, group, true);
}

int32_t removeLocalMember(QString &member, const QString &server, ArgumentReader &opt)
{
    const QString group = opt.text(1);
    if (opt.failed())
        return directory_result::Failure;
    return Delete_GroupMember(member, server, group, true);
}

struct Command {
    const char16_t *name;
    Handler handler;
};

// In matching order; the first equal name runs.
constexpr std::array<Command, 20> Commands{{
    {u"NT Add Computer Account.01", addComputer},
    {u"NT Add Group.01", addGroup},
    {u"NT Add User Account.01", reuseUser},
    {u"NT Add User Account.02", addUser},
    {u"NT Add User Account.03", addComputer},
    {u"NT Delete Computer Account.01", deleteComputer},
    {u"NT Delete Group.01", deleteGroup},
    {u"NT Delete User Account.01", softDeleteUser},
    {u"NT Delete User Account.02", deleteUser},
    {u"NT View/Modify Computer Account.01", describeComputer},
    {u"NT View/Modify Computer Account.02", renameComputer},
    {u"NT View/Modify Computer Account.03", deleteComputer},
    {u"NT View/Modify Computer Account.04", addComputer},
    {u"NT View/Modify Group.01", removeMember},
    {u"NT View/Modify Group.02", addMember},
    {u"NT View/Modify User Account.01", modifyUser},
    {u"NT View/Modify User Account.02", renameUser},
    {u"NT View/Modify User Account.03", setUserPassword},
    {u"Tarn Group Access.01", addLocalMember},
    {u"Tarn Group Access.02", removeLocalMember},
}};

} // namespace

int32_t Execute_Command(const QString &command, QString &accountName, const QString &server,
                        const CommandArguments &options, CommandReport *report)
{
    ArgumentReader reader(options);
    for (const Command &entry : Commands) {
        if (command != QStringView(entry.name))
            continue;
        t_report = report;
        const int32_t result = entry.handler(accountName, server, reader);
        t_report = nullptr;
        return result;
    }
    return directory_result::Failure;
}
