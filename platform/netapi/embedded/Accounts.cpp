#include "platform/netapi/embedded/Accounts.h"

#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/Model.h"

#include <bit>

namespace platform::embedded {

namespace {

constexpr const char *AccountColumns =
    "SELECT id, sam_id, rid, name, password_hash, password_set, must_change, priv, home_dir, "
    "comment, flags, script_path, auth_flags, full_name, usr_comment, parms, workstations, "
    "acct_expires, max_storage, logon_hours, logon_server, country_code, code_page, "
    "primary_group_rid, profile, home_dir_drive, locked FROM accounts ";

void readAccount(const Statement &row, AccountRow &a)
{
    a.id = row.integer(0);
    a.samId = row.integer(1);
    a.rid = uint32_t(row.integer(2));
    a.name = row.text(3);
    a.passwordHash = row.text(4);
    a.passwordSet = uint32_t(row.integer(5));
    a.mustChange = row.integer(6) != 0;
    a.priv = uint32_t(row.integer(7));
    a.homeDir = row.text(8);
    a.comment = row.text(9);
    a.flags = uint32_t(row.integer(10));
    a.scriptPath = row.text(11);
    a.authFlags = uint32_t(row.integer(12));
    a.fullName = row.text(13);
    a.usrComment = row.text(14);
    a.parms = row.text(15);
    a.workstations = row.text(16);
    a.acctExpires = uint32_t(row.integer(17));
    a.maxStorage = uint32_t(row.integer(18));
    a.logonHours = row.blob(19);
    a.logonServer = row.text(20);
    a.countryCode = uint32_t(row.integer(21));
    a.codePage = uint32_t(row.integer(22));
    a.primaryGroupRid = uint32_t(row.integer(23));
    a.profile = row.text(24);
    a.homeDirDrive = row.text(25);
    a.locked = row.integer(26) != 0;
}

// Binds the writable columns in the order both statements below name them.
void bindColumns(Statement &s, const AccountRow &a)
{
    s.bind(1, a.name).bind(2, upperName(a.name)).bind(3, a.passwordHash);
    s.bind(4, int64_t(a.passwordSet)).bind(5, int64_t(a.mustChange)).bind(6, int64_t(a.priv));
    s.bind(7, a.homeDir).bind(8, a.comment).bind(9, int64_t(a.flags)).bind(10, a.scriptPath);
    s.bind(11, int64_t(a.authFlags)).bind(12, a.fullName).bind(13, a.usrComment);
    s.bind(14, a.parms).bind(15, a.workstations).bind(16, int64_t(a.acctExpires));
    s.bind(17, int64_t(a.maxStorage)).bindBlob(18, a.logonHours).bind(19, a.logonServer);
    s.bind(20, int64_t(a.countryCode)).bind(21, int64_t(a.codePage));
    s.bind(22, int64_t(a.primaryGroupRid)).bind(23, a.profile).bind(24, a.homeDirDrive);
    s.bind(25, int64_t(a.locked));
}

constexpr const char *ColumnList =
    "name, upper_name, password_hash, password_set, must_change, priv, home_dir, comment, "
    "flags, script_path, auth_flags, full_name, usr_comment, parms, workstations, "
    "acct_expires, max_storage, logon_hours, logon_server, country_code, code_page, "
    "primary_group_rid, profile, home_dir_drive, locked";

} // namespace

bool findAccount(Database &db, int64_t samId, const std::string &name, AccountRow &account)
{
    const std::string sql = std::string(AccountColumns) + "WHERE sam_id = ? AND upper_name = ?";
    Statement query = db.prepare(sql.c_str());
    query.bind(1, samId).bind(2, upperName(name));
    if (!query.step())
        return false;
    readAccount(query, account);
    return true;
}

bool insertAccount(Database &db, AccountRow &account)
{
    const std::string sql = std::string("INSERT INTO accounts (") + ColumnList
        + ", sam_id, rid) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    Statement insert = db.prepare(sql.c_str());
    bindColumns(insert, account);
    insert.bind(26, account.samId).bind(27, int64_t(account.rid));
    if (!insert.run())
        return false;
    account.id = db.lastInsertId();
    return true;
}

bool updateAccount(Database &db, const AccountRow &account)
{
    const std::string sql = std::string("UPDATE accounts SET (") + ColumnList
        + ") = (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?) WHERE id = ?";
    Statement update = db.prepare(sql.c_str());
    bindColumns(update, account);
    update.bind(26, account.id);
    return update.run();
}

ControllerState controllerState(Database &db, int64_t accountId, int64_t machineId)
{
    Statement query = db.prepare(
        "SELECT last_logon, last_logoff, bad_pw_count, num_logons FROM controller_logons "
        "WHERE account_id = ? AND machine_id = ?");
    query.bind(1, accountId).bind(2, machineId);
    ControllerState state;
    if (query.step()) {
        state.lastLogon = uint32_t(query.integer(0));
        state.lastLogoff = uint32_t(query.integer(1));
        state.badPwCount = uint32_t(query.integer(2));
        state.numLogons = uint32_t(query.integer(3));
    }
    return state;
}

bool joinPrimaryGroup(Database &db, const AccountRow &account)
{
    Statement insert = db.prepare(
        "INSERT OR IGNORE INTO group_members (group_id, account_id) "
        "SELECT id, ? FROM groups WHERE sam_id = ? AND local = 0 AND rid = ?");
    insert.bind(1, account.id).bind(2, account.samId).bind(3, int64_t(account.primaryGroupRid));
    return insert.run();
}

void toUserInfo(const AccountRow &a, const ControllerState &state, uint32_t now,
                uint32_t level, UserInfo3 &info)
{
    info = UserInfo3();
    info.name = a.name;
    if (level == 0)
        return;
    info.passwordAge = now > a.passwordSet ? now - a.passwordSet : 0;
    info.priv = a.priv;
    info.homeDir = a.homeDir;
    info.comment = a.comment;
    info.flags = a.flags | (a.locked ? uf::Lockout : 0) | (a.mustChange ? uf::PasswordExpired : 0);
    info.scriptPath = a.scriptPath;
    if (level == 1)
        return;
    info.authFlags = a.authFlags;
    info.fullName = a.fullName;
    info.usrComment = a.usrComment;
    info.parms = a.parms;
    info.workstations = a.workstations;
    info.lastLogon = state.lastLogon;
    info.lastLogoff = state.lastLogoff;
    info.acctExpires = a.acctExpires;
    info.maxStorage = a.maxStorage;
    info.logonHours = a.logonHours;
    info.badPwCount = state.badPwCount;
    info.numLogons = state.numLogons;
    info.logonServer = a.logonServer;
    info.countryCode = a.countryCode;
    info.codePage = a.codePage;
    info.userId = a.rid;
    info.primaryGroupId = a.primaryGroupRid;
    info.profile = a.profile;
    info.homeDirDrive = a.homeDirDrive;
    info.passwordExpired = a.mustChange ? 1 : 0;
}

void applyUserInfo(const UserInfo3 &info, uint32_t level, AccountRow &a)
{
    a.homeDir = info.homeDir;
    a.comment = info.comment;
    a.flags = info.flags & ~(uf::Lockout | uf::PasswordExpired);
    a.scriptPath = info.scriptPath;
    if (level < 3)
        return;
    a.fullName = info.fullName;
    a.usrComment = info.usrComment;
    a.parms = info.parms;
    a.workstations = info.workstations;
    a.acctExpires = info.acctExpires;
    a.maxStorage = info.maxStorage;
    a.logonHours = info.logonHours;
    a.countryCode = info.countryCode;
    a.codePage = info.codePage;
    a.profile = info.profile;
    a.homeDirDrive = info.homeDirDrive;
}

bool isMachineAccount(uint32_t flags)
{
    return (flags & (uf::WorkstationTrustAccount | uf::ServerTrustAccount)) != 0;
}

bool hasOneAccountType(uint32_t flags)
{
    return std::popcount(flags & uf::AccountTypeMask) == 1;
}

} // namespace platform::embedded
