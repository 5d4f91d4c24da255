#include "ChildProcess.h"

#include "WorkFile.h"
#include "app/Seams.h"
#include "directory/AccountEnumeration.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <QFile>
#include <cstdio>

namespace {

constexpr int Finished = 0;
constexpr int RefusedDomain = 2;

bool matches(const QString &name, const AccountListRequest &request)
{
    const QString upperName = name.toUpper();
    const QString upperCriteria = request.criteria.toUpper();
    return request.wildcard ? upperName.startsWith(upperCriteria)
                            : upperName.contains(upperCriteria);
}

QStringList listAccounts(const AccountListRequest &request)
{
    QStringList names;
    if (request.type < enum_kind::Users || request.type > enum_kind::Domains)
        return names;
    QString noPrefix;
    Enum_Accounts(request.domain, request.type, names, false, noPrefix);
    return names;
}

void writeMatches(const QString &path, const QStringList &names,
                  const AccountListRequest &request)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the search then finds nothing for this domain
    for (const QString &name : names) {
        if (matches(name, request))
            file.write((name + QStringLiteral(", ") + request.domain + QStringLiteral("\r\n"))
                           .toUtf8());
        seams::doEvents();
    }
}

// The name as a message may show it: on one line.
QString printable(QString text)
{
    for (QChar &character : text) {
        if (character.unicode() < 0x20 || character.unicode() == 0x7F)
            character = u'?';
    }
    return text;
}

} // namespace

int ChildProcess(const AccountListRequest &request)
{
    const QString path = WorkFile_Path(platform::system().writableFolder(), request.domain);
    if (path.isEmpty()) {
        std::fprintf(stderr, "varnel: \"%s\" is no domain name a work file can be named after\n",
                     qUtf8Printable(printable(request.domain)));
        return RefusedDomain;
    }
    const QStringList names = listAccounts(request);
    seams::doEvents();
    if (QFile::exists(path))
        QFile::remove(path);
    if (!names.isEmpty())
        writeMatches(path, names, request);
    return Finished;
}
