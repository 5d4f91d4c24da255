#include "ComputerAccountName.h"

QString To_ComputerAccount(const QString &name)
{
    QString account = name.toUpper();
    if (!account.endsWith(u'$'))
        account += u'$';
    return account;
}

void Remove_TrailingDollar(QString &name)
{
    if (name.endsWith(u'$'))
        name.chop(1);
}
