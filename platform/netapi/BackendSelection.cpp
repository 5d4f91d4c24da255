#include "BackendSelection.h"

#include "platform/netapi/embedded/EmbeddedConnections.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#ifdef VARNEL_HAVE_SAMBA
#include "platform/netapi/samba/SambaConnections.h"
#include "platform/netapi/samba/SambaNetworkManagement.h"
#endif

#include <QtGlobal>

namespace platform::netapi {

namespace {

const QString Embedded = QStringLiteral("embedded");
const QString Samba = QStringLiteral("samba");

// A damaged file is never seeded over: the program stops, and the operator
// decides what becomes of the file.
QString refusedFile(const std::string &path, const std::string &problem)
{
    return QStringLiteral("The directory file %1 cannot be used: %2.\n\n"
                          "It was left as it is. Restore it from a copy, or move it away "
                          "to start with a new directory.")
        .arg(QString::fromStdString(path), QString::fromStdString(problem));
}

BackendSelection embedded(const std::function<QDateTime()> &clock,
                          const DirectoryCredentials *actAs)
{
    BackendSelection selection;
    const std::string path = embedded::defaultDatabasePath();
    auto net = std::make_unique<embedded::EmbeddedNetworkManagement>(path, clock);
    if (net->refused()) {
        selection.error = refusedFile(path, net->openError());
        return selection;
    }
    if (!net->isOpen())
        selection.warning = QStringLiteral("The directory file %1 could not be opened: %2")
                                .arg(QString::fromStdString(path),
                                     QString::fromStdString(net->openError()));
    if (actAs) {
        net->actAs(actAs->domain.toStdString(), actAs->user.toStdString());
        selection.directoryUserName = actAs->user;
    }
    selection.logon = net.get();
    selection.connections = std::make_unique<embedded::EmbeddedConnections>(*net);
    selection.net = std::move(net);
    return selection;
}

#ifdef VARNEL_HAVE_SAMBA
// A back end that cannot start (no client smb.conf, no credentials) still
// answers every call with its status; the operator is told once why.
BackendSelection sambaBackend(const DirectoryCredentials *actAs)
{
    BackendSelection selection;
    auto net = std::make_unique<samba::SambaNetworkManagement>();
    if (actAs)
        net->actAs(*actAs);
    if (const NetStatus status = net->initialise())
        selection.warning = QStringLiteral("The Samba directory back end could not start "
                                           "(status %1): %2")
                                .arg(status)
                                .arg(QString::fromStdString(net->problem()));
    selection.directoryUserName = QString::fromStdString(net->wireUser());
    selection.logon = net.get();
    selection.connections = std::make_unique<samba::SambaConnections>(*net);
    selection.net = std::move(net);
    return selection;
}
#endif

} // namespace

BackendSelection selectNetworkManagement(const std::function<QDateTime()> &clock,
                                         const DirectoryCredentials *actAs)
{
    const QString value = qEnvironmentVariable(DirectoryVariable);
    if (value.isEmpty() || value == Embedded)
        return embedded(clock, actAs);
#ifdef VARNEL_HAVE_SAMBA
    if (value == Samba)
        return sambaBackend(actAs);
#endif
    BackendSelection refused;
    if (value == Samba)
        refused.error = QStringLiteral("%1=samba: this copy was built without Samba's "
                                       "client libraries (install samba-dev and rebuild). "
                                       "Unset %1 or set it to \"embedded\".")
                            .arg(QLatin1String(DirectoryVariable));
    else
        refused.error = QStringLiteral("%1=%2 is not a directory back end: use \"embedded\" "
                                       "(the default) or \"samba\".")
                            .arg(QLatin1String(DirectoryVariable), value);
    return refused;
}

} // namespace platform::netapi
