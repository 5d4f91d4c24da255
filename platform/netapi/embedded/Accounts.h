// User and computer account rows and their netapi32 view (USER_INFO_0/1/3).
#pragma once

#include "platform/NetworkManagement.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::embedded {

class Database;

struct AccountRow {
    int64_t id = 0;
    int64_t samId = 0;
    uint32_t rid = 0;
    std::string name;
    std::string passwordHash;
    uint32_t passwordSet = 0;
    bool mustChange = false;
    uint32_t priv = priv::User;
    std::string homeDir;
    std::string comment;
    uint32_t flags = uf::Script | uf::NormalAccount;
    std::string scriptPath;
    uint32_t authFlags = 0;
    std::string fullName;
    std::string usrComment;
    std::string parms;
    std::string workstations;
    uint32_t acctExpires = TimeqForever;
    uint32_t maxStorage = UserMaxStorageUnlimited;
    std::vector<uint8_t> logonHours;
    std::string logonServer = "\\\\*";
    uint32_t countryCode = 0;
    uint32_t codePage = 0;
    uint32_t primaryGroupRid = DomainUsersRid;
    std::string profile;
    std::string homeDirDrive;
    bool locked = false;
};

// What each controller keeps of its own (not replicated between controllers).
struct ControllerState {
    uint32_t lastLogon = 0;
    uint32_t lastLogoff = 0;
    uint32_t badPwCount = 0;
    uint32_t numLogons = 0;
};

bool findAccount(Database &db, int64_t samId, const std::string &name, AccountRow &account);
bool insertAccount(Database &db, AccountRow &account);
bool updateAccount(Database &db, const AccountRow &account);
ControllerState controllerState(Database &db, int64_t accountId, int64_t machineId);
// Puts a user into the global group of its primary group id, when there is one.
bool joinPrimaryGroup(Database &db, const AccountRow &account);

// The record netapi32 returns at `level` (0, 1 or 3).
void toUserInfo(const AccountRow &account, const ControllerState &state, uint32_t now,
                uint32_t level, UserInfo3 &info);
// Copies the writable fields of a level-1 or level-3 record onto the row.
void applyUserInfo(const UserInfo3 &info, uint32_t level, AccountRow &account);

bool isMachineAccount(uint32_t flags);
// Exactly one account-type bit.
bool hasOneAccountType(uint32_t flags);

} // namespace platform::embedded
