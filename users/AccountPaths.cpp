#include "AccountPaths.h"

#include "UserItems.h"

QString Home_DirArgument(const QString &directory, const QString &drive)
{
    if (drive.isEmpty())
        return directory;
    return u'[' + drive.left(1) + u']' + directory;
}

KeptPaths Kept_Paths(const QVariantList &items)
{
    using namespace user_item;
    return {Home_DirArgument(text(items, HomeDir), text(items, HomeDirDrive)),
            text(items, Profile)};
}
