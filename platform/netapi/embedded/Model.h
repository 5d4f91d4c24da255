// Look-ups every call shares: which machine a server argument names, which
// account database (sam) answers there, which domains it knows, and who holds
// a name. All run inside the caller's transaction.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/embedded/Passwords.h"

#include <cstdint>
#include <string>

namespace platform::embedded {

class Database;
class Store;

// Upper case by Unicode rules; names compare and sort by it.
std::string upperName(const std::string &utf8);

enum class Role { Member = 0, Primary = 1, Backup = 2 };

struct MachineRow {
    int64_t id = 0;
    std::string name;
    int64_t domainId = 0;
    int64_t samId = 0;
    Role role = Role::Member;
    uint32_t type = 0;
    uint32_t versionMajor = 0;
    uint32_t versionMinor = 0;
    std::string comment;
    bool reachable = true;
    bool local = false;
    bool shareLevel2Denied = false;
};

struct SamRow {
    int64_t id = 0;
    std::string name;  // the DOMAIN of DOMAIN\name: a domain's or a machine's name
    PasswordPolicy policy;
};

struct DomainRow {
    int64_t id = 0;
    std::string name;
    int64_t samId = 0;
};

// The start of every call: the store is open, and the server ("" the local
// machine, "NAME" or "\\NAME") is a machine that answers.
NetStatus resolveMachine(Store &store, const std::string &server, MachineRow &machine);
bool findMachine(Database &db, const std::string &name, MachineRow &machine);
bool localMachine(Database &db, MachineRow &machine);
// Writes go to a domain's primary controller or a member machine.
NetStatus checkWritable(const MachineRow &machine);
// resolveMachine then checkWritable: the start of every call that writes.
NetStatus resolveWritableMachine(Store &store, const std::string &server, MachineRow &machine);

bool loadSam(Database &db, int64_t id, SamRow &sam);
// The database a DOMAIN\name qualifier names: a domain's, or a member
// machine's own.
bool findSamByName(Database &db, const std::string &name, SamRow &sam);
bool loadDomain(Database &db, int64_t id, DomainRow &domain);
bool findDomain(Database &db, const std::string &name, DomainRow &domain);
bool primaryController(Database &db, int64_t domainId, MachineRow &machine);
// The domain itself and the domains it trusts.
bool domainKnownTo(Database &db, int64_t domainId, int64_t otherDomainId);

enum class NameOwner { None, User, Group, LocalGroup };
NameOwner nameOwner(Database &db, int64_t samId, const std::string &upper);
// The status a taken name gives (2224, 2223 or 1379), or Success when free.
NetStatus nameTakenStatus(NameOwner owner);

bool allocateRid(Database &db, int64_t samId, uint32_t &rid);

// The kinds of row a display listing walks.
enum class DisplayTable { Accounts = 1, Groups = 2 };
// Remembers where a deleted row stood, so a listing whose index named it can
// still carry on after it.
bool markDeleted(Database &db, DisplayTable table, int64_t id, const std::string &upper);

} // namespace platform::embedded
