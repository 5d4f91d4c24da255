#include "platform/netapi/embedded/Groups.h"

#include "platform/netapi/NameRules.h"
#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/Model.h"

namespace platform::embedded {

namespace {

netapi::NameKind kindOf(bool local)
{
    return local ? netapi::NameKind::LocalGroup : netapi::NameKind::Group;
}

} // namespace

bool findGroup(Database &db, int64_t samId, const std::string &name, bool local,
               GroupRow &group)
{
    Statement query = db.prepare(
        "SELECT id, sam_id, rid, local, builtin, name, comment FROM groups "
        "WHERE sam_id = ? AND upper_name = ? AND local = ?");
    query.bind(1, samId).bind(2, upperName(name)).bind(3, int64_t(local));
    if (!query.step())
        return false;
    group.id = query.integer(0);
    group.samId = query.integer(1);
    group.rid = uint32_t(query.integer(2));
    group.local = query.integer(3) != 0;
    group.builtin = query.integer(4) != 0;
    group.name = query.text(5);
    group.comment = query.text(6);
    return true;
}

bool insertGroup(Database &db, GroupRow &group)
{
    Statement insert = db.prepare(
        "INSERT INTO groups (sam_id, rid, local, builtin, name, upper_name, comment) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, group.samId).bind(2, int64_t(group.rid)).bind(3, int64_t(group.local));
    insert.bind(4, int64_t(group.builtin)).bind(5, group.name).bind(6, upperName(group.name));
    insert.bind(7, group.comment);
    if (!insert.run())
        return false;
    group.id = db.lastInsertId();
    return true;
}

bool updateGroup(Database &db, const GroupRow &group)
{
    Statement update =
        db.prepare("UPDATE groups SET name = ?, upper_name = ?, comment = ? WHERE id = ?");
    update.bind(1, group.name).bind(2, upperName(group.name)).bind(3, group.comment);
    update.bind(4, group.id);
    return update.run();
}

bool deleteGroup(Database &db, const GroupRow &group)
{
    Statement remove = db.prepare("DELETE FROM groups WHERE id = ?");
    remove.bind(1, group.id);
    return markDeleted(db, DisplayTable::Groups, group.id, upperName(group.name))
        && remove.run();
}

NetStatus addGroup(Database &db, int64_t samId, const GroupInfo1 &info, bool local)
{
    if (const NetStatus bad = netapi::checkAccountName(info.name, kindOf(local)))
        return bad;
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    if (const NetStatus taken = nameTakenStatus(nameOwner(db, samId, upperName(info.name))))
        return taken;
    GroupRow group;
    group.samId = samId;
    group.local = local;
    group.name = info.name;
    group.comment = info.comment;
    if (!allocateRid(db, samId, group.rid) || !insertGroup(db, group) || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

NetStatus renameGroup(Database &db, GroupRow &group, const std::string &newName)
{
    if (const NetStatus bad = netapi::checkAccountName(newName, kindOf(group.local)))
        return bad;
    if (upperName(newName) != upperName(group.name)) {
        if (const NetStatus taken =
                nameTakenStatus(nameOwner(db, group.samId, upperName(newName))))
            return taken;
    }
    group.name = newName;
    return status::Success;
}

} // namespace platform::embedded
