#include "UserGroupEntries.h"

#include "app/ListControl.h"
#include "app/Seams.h"
#include "directory/GroupMembership.h"
#include "directory/ServerResolution.h"
#include "ui/ServerArgument.h"

namespace {

bool letEventsRun(const GroupSearch &search)
{
    if (search.letEventsRun)
        return search.letEventsRun();
    seams::doEvents();
    return true;
}

// False when the listing was ended.
bool addEntries(ListControl &list, const QString &prefix, const QStringList &groups,
                const GroupSearch &search)
{
    for (const QString &group : groups) {
        list.addItem(prefix + group);
        if (!letEventsRun(search))
            return false;
    }
    return true;
}

void addOtherDomains(ListControl &list, const GroupSearch &search)
{
    const QString member = search.domain + u'\\' + search.user;
    for (const QString &other : search.otherDomains) {
        const QString controller = Get_DCName(other, {});
        if (controller.isEmpty() || controller.compare(search.server, Qt::CaseInsensitive) == 0)
            continue;
        QStringList groups;
        Get_UserGroups(controller, member, groups, true);
        if (!addEntries(list, QStringLiteral("LOCAL: ") + other + u'\\', groups, search))
            return;
    }
}

} // namespace

void List_UserGroups(ListControl &list, const GroupSearch &search)
{
    QStringList global;
    Get_UserGroups(search.server, search.user, global, false);
    if (!addEntries(list, QStringLiteral("GLOBAL: "), global, search))
        return;

    QStringList local;
    Get_UserGroups(search.server, search.user, local, true);
    if (!addEntries(list, QStringLiteral("LOCAL: ") + search.domainText + u'\\', local, search))
        return;

    if (!Is_ServerName(search.domain))
        addOtherDomains(list, search);
}
