#include "TrustedDomains.h"

#include "NetStrings.h"
#include "app/AppContext.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"

int32_t Get_TrustedDomains(QStringList &domains)
{
    std::string buffer;
    if (platform::net().NetEnumerateTrustedDomains({}, buffer) != platform::status::Success)
        return 0;

    // The buffer holds the names one after another, each ended by a NUL, the
    // list ended by an empty name.
    const QString names = QString::fromStdString(buffer);
    const QString first = Trim_Null(names);
    // A domain that trusts no other gives an empty list; an empty first name
    // is no domain, and an empty entry would stand in every domain box.
    if (first.isEmpty())
        return int32_t(domains.size());
    domains.append(first);

    QString name;
    for (qsizetype at = first.size() + 1; at < names.size(); ++at) {
        const QChar character = names.at(at);
        if (character != QChar(u'\0')) {
            name += character;
            continue;
        }
        if (name.isEmpty())
            break;
        domains.append(name);
        name.clear();
    }
    return int32_t(domains.size());
}
