#include "LastLogonSearch.h"

#include "UserItems.h"
#include "UserViewTexts.h"

#include "directory/AccountEnumeration.h"
#include "directory/AccountRead.h"
#include "directory/DirectoryResult.h"
#include "ui/ServerArgument.h"

#include <QStringList>
#include <QVariantList>

namespace {

// The last logon recorded at `server`; invalid when the account cannot be
// read there.
QDate logonAt(const QString &user, const QString &server)
{
    QString name = user;
    QVariantList items;
    bool cannotChange = false, neverExpires = false, disabled = false, lockedOut = false;
    if (Get_AccountInfo(name, server, account_kind::User, items, false, cannotChange,
                        neverExpires, disabled, lockedOut) != directory_result::Success)
        return {};
    return user_item::date(items, user_item::LastLogon);
}

// The server listing names machines without the "\\" that makes a server
// argument; bare, the name would be taken for a domain.
QString asServer(const QString &machine)
{
    return Is_ServerName(machine) ? machine : QStringLiteral("\\\\") + machine;
}

} // namespace

bool Is_LaterLogon(const LastLogon &found, const QDate &candidate)
{
    if (!candidate.isValid())
        return false;
    return !found.date.isValid() || found.date.daysTo(candidate) > 0;
}

LastLogon Find_LastLogon(const QString &user, const QString &logonServer,
                         const QString &runServer, const QString &domain,
                         const std::function<bool(int remaining)> &progress)
{
    if (Is_ServerName(logonServer)) {
        const QDate date = logonAt(user, logonServer);
        return date.isValid() ? LastLogon{date, logonServer} : LastLogon{};
    }

    LastLogon found;
    const QDate first = logonAt(user, runServer);
    if (first.isValid())
        found = {first, runServer};

    QStringList controllers;
    QString noPrefix;
    Enum_Accounts(domain, enum_kind::BackupControllers, controllers, false, noPrefix);
    for (qsizetype i = 0; i < controllers.size(); ++i) {
        if (progress && !progress(int(controllers.size() - i - 1)))
            break;
        const QString controller = asServer(controllers.at(i));
        const QDate date = logonAt(user, controller);
        if (Is_LaterLogon(found, date))
            found = {date, controller};
    }
    return found;
}

QString LastLogon_Text(const LastLogon &found)
{
    if (!found.date.isValid())
        return {};
    QString text = Date_Text(found.date);
    if (!found.server.isEmpty())
        text += QStringLiteral(", ") + found.server;
    return text;
}
