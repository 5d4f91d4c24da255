#include "UserGroupEntries.h"

#include "app/ListControl.h"
#include "app/Seams.h"
#include "directory/GroupMembership.h"
#include "directory/ServerResolution.h"
#include "ui/ServerArgument.h"

namespace {

void addEntries(ListControl &list, const QString &prefix, const QStringList &groups)
{
    for (const QString &group : groups) {
        list.addItem(prefix + group);
        seams::doEvents();
    }
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
        addEntries(list, QStringLiteral("LOCAL: ") + other + u'\\', groups);
    }
}

} // namespace

void List_UserGroups(ListControl &list, const GroupSearch &search)
{
    QStringList global;
    Get_UserGroups(search.server, search.user, global, false);
    addEntries(list, QStringLiteral("GLOBAL: "), global);

    QStringList local;
    Get_UserGroups(search.server, search.user, local, true);
    addEntries(list, QStringLiteral("LOCAL: ") + search.domainText + u'\\', local);

    if (!Is_ServerName(search.domain))
        addOtherDomains(list, search);
}
