#include "platform/NetworkConnections.h"

namespace platform {

QString remoteComputer(const QString &remoteName)
{
    QString name = remoteName;
    while (name.startsWith(u'\\'))
        name.remove(0, 1);
    const qsizetype share = name.indexOf(u'\\');
    return share < 0 ? name : name.left(share);
}

} // namespace platform
