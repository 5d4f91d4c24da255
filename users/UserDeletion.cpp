#include "UserDeletion.h"

#include "DeleteBatch.h"
#include "GroupStripping.h"

#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"

int32_t Delete_User(QString &name, const QString &server)
{
    return Execute_Command(DeleteUserTitle + QStringLiteral(".02"), name, server);
}

int32_t SoftDelete_User(QString &name, const QString &server, QString &newName)
{
    newName.clear();
    int32_t result = directory_result::Failure;
    for (const QString &candidate : SoftDelete_Names(name)) {
        result = Execute_Command(DeleteUserTitle + QStringLiteral(".01"), name, server,
                                 {QVariant(candidate)});
        if (result == directory_result::Success) {
            newName = candidate;
            break;
        }
    }
    if (result != directory_result::Success)
        return result;
    return Remove_UserGroups(newName, server);
}
