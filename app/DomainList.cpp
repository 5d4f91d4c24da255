#include "DomainList.h"

#include "AppContext.h"
#include "Identity.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

void Load_DomainList(ListControl &first, bool includeLocal, ListControl *second)
{
    const auto addToBoth = [&](const QString &entry) {
        first.addItem(entry);
        if (second)
            second->addItem(entry);
    };
    const QString ownDomain = Get_WkstaDomain();
    for (const QString &domain : appContext().DomainList) {
        if (domain != ownDomain)
            addToBoth(domain);
    }
    // The workstation's own domain stands once, after all the others. When it
    // cannot be read there is nothing to offer: a blank entry would only be
    // refused later as a missing domain.
    if (!ownDomain.isEmpty())
        addToBoth(ownDomain);
    // "\\My Computer" only where this machine keeps accounts: elsewhere it
    // would answer every lookup with 53 and stop every uniqueness search.
    if (includeLocal && platform::net().hasLocalAccountDatabase())
        addToBoth(MyComputer);
}
