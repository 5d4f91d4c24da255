// Network management (netapi32): the calls the program makes, with netapi32's
// records, levels and status codes. Strings are UTF-8. Every back end (embedded,
// Samba, Win32) answers with netapi32's statuses, so nothing above this layer
// knows which one runs.
//
// Conventions shared by every call:
// - server: "" is the local machine; "NAME" or "\\NAME" names a machine. A
//   machine that does not exist or does not answer gives status::BadNetPath.
// - level: the netapi32 information level. One C++ record serves the levels of
//   a family (the richest one); the level says which of its fields a call reads
//   or fills, as the comments of the records tell. A level the call does not
//   offer gives status::InvalidLevel, before anything else is looked at.
// - Names are checked by platform/netapi/NameRules.h: every back end answers a
//   bad name with the status that table decided.
// - Enumerations: `buffer` is emptied, then filled with at most what fits in
//   prefMaxLen bytes by the rule of platform/netapi/BufferRules.h (at least one
//   entry); entriesRead is buffer.size(); totalEntries counts the entries that
//   could have been read from the resume position on; status::MoreData (234)
//   says more remain and resumeHandle (or the next index) says where.
// - Numbers are netapi32's DWORDs; times are seconds since 1970-01-01 UTC.
#pragma once

#include "platform/netapi/Flags.h"
#include "platform/netapi/Statuses.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// WKSTA_USER_INFO_1
struct WkstaUserInfo1 {
    std::string userName;
    std::string logonDomain;
    std::string otherDomains;
    std::string logonServer;
};

// WKSTA_INFO_102
struct WkstaInfo102 {
    int32_t platformId = 0;
    std::string computerName;
    std::string langroup;
    int32_t versionMajor = 0;
    int32_t versionMinor = 0;
    std::string lanRoot;
    int32_t loggedOnUsers = 0;
};

// USER_INFO_1 (level 0, USER_INFO_0, is the name alone).
struct UserInfo1 {
    std::string name;
    std::string password;        // never returned; "" on NetUserSetInfo keeps it
    uint32_t passwordAge = 0;    // seconds since the password was set (read only)
    uint32_t priv = priv::User;  // USER_PRIV_*; NetUserAdd takes only priv::User
    std::string homeDir;
    std::string comment;
    uint32_t flags = uf::Script | uf::NormalAccount; // UF_*
    std::string scriptPath;
};

// USER_INFO_3: USER_INFO_1 and the rest. Fields marked "read only" are
// ignored on NetUserAdd and NetUserSetInfo. The per-controller ones (last
// logon and logoff, bad-password count, number of logons) are those of the
// controller asked.
struct UserInfo3 : UserInfo1 {
    uint32_t authFlags = 0;      // AF_OP_* (read only)
    std::string fullName;
    std::string usrComment;
    std::string parms;
    std::string workstations;
    uint32_t lastLogon = 0;      // read only; 0: never
    uint32_t lastLogoff = 0;     // read only; 0: unknown
    uint32_t acctExpires = TimeqForever;
    uint32_t maxStorage = UserMaxStorageUnlimited;
    uint32_t unitsPerWeek = UnitsPerWeekHours;   // read only
    std::vector<uint8_t> logonHours;  // 21 bytes, one bit per hour; empty: any hour
    uint32_t badPwCount = 0;     // read only
    uint32_t numLogons = 0;      // read only
    std::string logonServer;     // read only; "\\*": any controller
    uint32_t countryCode = 0;
    uint32_t codePage = 0;
    uint32_t userId = 0;         // the RID (read only)
    uint32_t primaryGroupId = DomainUsersRid;
    std::string profile;
    std::string homeDirDrive;
    uint32_t passwordExpired = 0; // non-zero: the user must change it at next logon
};

// GROUP_INFO_0/1 and LOCALGROUP_INFO_0/1 (level 0: the name alone).
struct GroupInfo1 {
    std::string name;
    std::string comment;
};
using LocalGroupInfo1 = GroupInfo1;

// GROUP_USERS_INFO_0 (members of a global group; a user's global groups) and
// LOCALGROUP_USERS_INFO_0 (a user's local groups): one name.
struct GroupUsersInfo0 {
    std::string name;
};
using LocalGroupUsersInfo0 = GroupUsersInfo0;

// LOCALGROUP_MEMBERS_INFO_3: a member of a local group as DOMAIN\name (the
// machine's name for its own accounts).
struct LocalGroupMembersInfo3 {
    std::string domainAndName;
};

// NET_DISPLAY_USER (level 1), NET_DISPLAY_MACHINE (level 2) and
// NET_DISPLAY_GROUP (level 3) of NetQueryDisplayInformation.
struct NetDisplayRecord {
    std::string name;
    std::string comment;
    uint32_t flags = 0;          // levels 1 and 2: UF_*
    std::string fullName;        // level 1 only
    uint32_t id = 0;             // the user, machine or group RID
    uint32_t attributes = 0;     // level 3 only
    uint32_t nextIndex = 0;      // the index argument of the next call
};

// SERVER_INFO_101 (level 100, SERVER_INFO_100, is platformId and name).
struct ServerInfo101 {
    uint32_t platformId = PlatformIdNt;
    std::string name;            // without "\\"
    uint32_t versionMajor = 0;
    uint32_t versionMinor = 0;
    uint32_t type = 0;           // SV_TYPE_*
    std::string comment;
};

// SHARE_INFO_2 (level 0: netname; level 1: netname, type, remark).
struct ShareInfo2 {
    std::string netname;
    uint32_t type = stype::DiskTree;  // STYPE_*
    std::string remark;
    uint32_t permissions = 0;
    uint32_t maxUses = 0xFFFFFFFF;    // unlimited
    uint32_t currentUses = 0;
    std::string path;
    std::string passwd;
};

class NetworkManagement {
public:
    virtual ~NetworkManagement() = default;

    // --- Identity and domains ---------------------------------------------

    // NetWkstaUserGetInfo level 1 (server empty: this machine).
    virtual NetStatus NetWkstaUserGetInfo(const std::string &server, WkstaUserInfo1 &info) = 0;
    // NetWkstaGetInfo level 102.
    virtual NetStatus NetWkstaGetInfo(const std::string &server, WkstaInfo102 &info) = 0;
    // NetGetDCName: the primary domain controller's name with its leading "\\".
    // Domain empty: the server's own domain. Unknown domain: status::DCNotFound.
    virtual NetStatus NetGetDCName(const std::string &server, const std::string &domain,
                                   std::string &dcName) = 0;
    // NetEnumerateTrustedDomains: the names one after another, each ended by a
    // NUL, the list ended by an empty name (a second NUL), as the service's buffer.
    virtual NetStatus NetEnumerateTrustedDomains(const std::string &server,
                                                 std::string &domainNames) = 0;

    // --- User and computer accounts (levels 0, 1, 3) ----------------------
    // A computer account is a user account NAME$ with
    // uf::WorkstationTrustAccount. Writes addressed to a backup controller give
    // status::NotPrimary.

    // NetUserAdd, levels 1 and 3. parmErr (may be null) receives the index of
    // the field at fault when the status is InvalidParameter.
    virtual NetStatus NetUserAdd(const std::string &server, uint32_t level,
                                 const UserInfo3 &info, uint32_t *parmErr);
    virtual NetStatus NetUserDel(const std::string &server, const std::string &userName);
    // NetUserGetInfo, levels 0, 1 and 3.
    virtual NetStatus NetUserGetInfo(const std::string &server, const std::string &userName,
                                     uint32_t level, UserInfo3 &info);
    // NetUserSetInfo, levels 0 (rename to info.name), 1 and 3. Clearing
    // uf::Lockout unlocks the account.
    virtual NetStatus NetUserSetInfo(const std::string &server, const std::string &userName,
                                     uint32_t level, const UserInfo3 &info, uint32_t *parmErr);
    // NetUserGetGroups, level 0: the user's global groups, its primary group
    // included.
    virtual NetStatus NetUserGetGroups(const std::string &server, const std::string &userName,
                                       uint32_t level, std::vector<GroupUsersInfo0> &buffer,
                                       uint32_t prefMaxLen, uint32_t &entriesRead,
                                       uint32_t &totalEntries);
    // NetUserGetLocalGroups, level 0. userName is "name" or "DOMAIN\name";
    // flags lgIncludeIndirect adds the local groups reached through a global
    // group.
    virtual NetStatus NetUserGetLocalGroups(const std::string &server,
                                            const std::string &userName, uint32_t level,
                                            uint32_t flags,
                                            std::vector<LocalGroupUsersInfo0> &buffer,
                                            uint32_t prefMaxLen, uint32_t &entriesRead,
                                            uint32_t &totalEntries);
    // NetQueryDisplayInformation, levels 1 (users), 2 (machines), 3 (global
    // groups): names in order of the upper-cased name, starting after `index`
    // (0: from the start; else a nextIndex returned before). At most
    // min(entriesRequested, DisplayEntriesPerCall) entries, fewer when
    // prefMaxLen is reached, at least one. MoreData when more remain.
    virtual NetStatus NetQueryDisplayInformation(const std::string &server, uint32_t level,
                                                 uint32_t index, uint32_t entriesRequested,
                                                 uint32_t prefMaxLen,
                                                 uint32_t &returnedEntryCount,
                                                 std::vector<NetDisplayRecord> &buffer);

    // --- A user's parameters (userParameters) -----------------------------
    // The value byte for byte, as SAMR carries it ([MS-SAMR] 2.2.6.9, user
    // information level 20): usri3_parms is text and cannot. Terminal Server
    // settings live in it. A value to set must be of even length, 2 to 65534
    // bytes, else status::InvalidParameter (a Samba DC refuses odd lengths and
    // ignores an empty value).
    virtual NetStatus UserParametersGet(const std::string &server, const std::string &userName,
                                        std::vector<uint8_t> &value);
    virtual NetStatus UserParametersSet(const std::string &server, const std::string &userName,
                                        const std::vector<uint8_t> &value);

    // --- Global groups (levels 0 and 1) -----------------------------------

    virtual NetStatus NetGroupAdd(const std::string &server, uint32_t level,
                                  const GroupInfo1 &info, uint32_t *parmErr);
    virtual NetStatus NetGroupDel(const std::string &server, const std::string &groupName);
    virtual NetStatus NetGroupGetInfo(const std::string &server, const std::string &groupName,
                                      uint32_t level, GroupInfo1 &info);
    // NetGroupSetInfo, levels 0 (rename) and 1.
    virtual NetStatus NetGroupSetInfo(const std::string &server, const std::string &groupName,
                                      uint32_t level, const GroupInfo1 &info,
                                      uint32_t *parmErr);
    virtual NetStatus NetGroupEnum(const std::string &server, uint32_t level,
                                   std::vector<GroupInfo1> &buffer, uint32_t prefMaxLen,
                                   uint32_t &entriesRead, uint32_t &totalEntries,
                                   uint32_t &resumeHandle);
    // NetGroupGetUsers, level 0.
    virtual NetStatus NetGroupGetUsers(const std::string &server, const std::string &groupName,
                                       uint32_t level, std::vector<GroupUsersInfo0> &buffer,
                                       uint32_t prefMaxLen, uint32_t &entriesRead,
                                       uint32_t &totalEntries, uint32_t &resumeHandle);
    virtual NetStatus NetGroupAddUser(const std::string &server, const std::string &groupName,
                                      const std::string &userName);
    virtual NetStatus NetGroupDelUser(const std::string &server, const std::string &groupName,
                                      const std::string &userName);

    // --- Local groups (levels 0 and 1; members at level 3) ------------------

    virtual NetStatus NetLocalGroupAdd(const std::string &server, uint32_t level,
                                       const LocalGroupInfo1 &info, uint32_t *parmErr);
    virtual NetStatus NetLocalGroupDel(const std::string &server, const std::string &groupName);
    virtual NetStatus NetLocalGroupGetInfo(const std::string &server,
                                           const std::string &groupName, uint32_t level,
                                           LocalGroupInfo1 &info);
    // NetLocalGroupSetInfo, levels 0 (rename) and 1.
    virtual NetStatus NetLocalGroupSetInfo(const std::string &server,
                                           const std::string &groupName, uint32_t level,
                                           const LocalGroupInfo1 &info, uint32_t *parmErr);
    virtual NetStatus NetLocalGroupEnum(const std::string &server, uint32_t level,
                                        std::vector<LocalGroupInfo1> &buffer,
                                        uint32_t prefMaxLen, uint32_t &entriesRead,
                                        uint32_t &totalEntries, uint32_t &resumeHandle);
    // NetLocalGroupGetMembers, level 3.
    virtual NetStatus NetLocalGroupGetMembers(const std::string &server,
                                              const std::string &groupName, uint32_t level,
                                              std::vector<LocalGroupMembersInfo3> &buffer,
                                              uint32_t prefMaxLen, uint32_t &entriesRead,
                                              uint32_t &totalEntries, uint32_t &resumeHandle);
    // NetLocalGroupAddMembers / DelMembers, level 3: all or nothing.
    virtual NetStatus NetLocalGroupAddMembers(
        const std::string &server, const std::string &groupName, uint32_t level,
        const std::vector<LocalGroupMembersInfo3> &members);
    virtual NetStatus NetLocalGroupDelMembers(
        const std::string &server, const std::string &groupName, uint32_t level,
        const std::vector<LocalGroupMembersInfo3> &members);

    // --- Servers and shares -------------------------------------------------

    // NetServerEnum, levels 100 and 101: the machines of `domain` (empty: the
    // workstation's domain) whose type has a bit of serverType in common;
    // svtype::DomainEnum lists the domains instead. Unknown domain:
    // status::NoBrowserServersFound.
    virtual NetStatus NetServerEnum(const std::string &server, uint32_t level,
                                    std::vector<ServerInfo101> &buffer, uint32_t prefMaxLen,
                                    uint32_t &entriesRead, uint32_t &totalEntries,
                                    uint32_t serverType, const std::string &domain,
                                    uint32_t &resumeHandle);
    // NetServerGetInfo, levels 100 and 101, answered by the machine itself.
    virtual NetStatus NetServerGetInfo(const std::string &server, uint32_t level,
                                       ServerInfo101 &info);
    // NetShareEnum, levels 0, 1 and 2.
    virtual NetStatus NetShareEnum(const std::string &server, uint32_t level,
                                   std::vector<ShareInfo2> &buffer, uint32_t prefMaxLen,
                                   uint32_t &entriesRead, uint32_t &totalEntries,
                                   uint32_t &resumeHandle);
    // NetShareGetInfo, levels 0, 1 and 2. Unknown share: status::NetNameNotFound.
    virtual NetStatus NetShareGetInfo(const std::string &server, const std::string &netName,
                                      uint32_t level, ShareInfo2 &info);
};

} // namespace platform

// Interface complete.
