#include "UserDeletion.h"

#include "DeleteBatch.h"

#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"

int32_t Delete_User(QString &name, const QString &server)
{
    return Execute_Command(DeleteUserTitle + QStringLiteral(".02"), name, server);
}

int32_t SoftDelete_User(QString &name, const QString &server, const QString &domain,
                        QString &newName, QStringList &keptBy)
{
    newName.clear();
    int32_t result = directory_result::Failure;
    for (const QString &candidate : SoftDelete_Names(name)) {
        CommandReport report;
        QString account = name;
        result = Execute_Command(DeleteUserTitle + QStringLiteral(".01"), account, server,
                                 {QVariant(candidate), QVariant(domain)}, &report);
        keptBy = report.keptBy;
        if (result == directory_result::Success || !report.renamedTo.isEmpty()) {
            newName = candidate;
            break;
        }
    }
    return result;
}
