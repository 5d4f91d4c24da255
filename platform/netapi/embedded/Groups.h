// Global and local group rows.
#pragma once

#include "platform/NetworkManagement.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::embedded {

class Database;

struct GroupRow {
    int64_t id = 0;
    int64_t samId = 0;
    uint32_t rid = 0;
    bool local = false;
    bool builtin = false;
    std::string name;
    std::string comment;
};

bool findGroup(Database &db, int64_t samId, const std::string &name, bool local,
               GroupRow &group);
bool insertGroup(Database &db, GroupRow &group);
bool updateGroup(Database &db, const GroupRow &group);
bool deleteGroup(Database &db, const GroupRow &group);
// Creates a group after the checks every back end makes (name rules, a free
// name): the decided status, or Success.
NetStatus addGroup(Database &db, int64_t samId, const GroupInfo1 &info, bool local);
NetStatus renameGroup(Database &db, GroupRow &group, const std::string &newName);

} // namespace platform::embedded
