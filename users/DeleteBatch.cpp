#include "DeleteBatch.h"

#include "ui/FieldText.h"

QStringList Split_Names(const QString &names)
{
    if (!names.contains(u','))
        return {names};
    QStringList pieces = names.split(u',');
    for (QString &piece : pieces)
        piece = Trim_Blanks(piece);
    return pieces;
}

QStringList SoftDelete_Names(const QString &name)
{
    return {u'%' + name, QStringLiteral("%%") + name, QStringLiteral("%%%") + name};
}
