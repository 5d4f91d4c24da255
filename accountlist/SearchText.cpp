#include "SearchText.h"

QString Search_Criteria(const QString &typed, bool beginsWith)
{
    qsizetype stars = 0;
    while (stars < typed.size() && typed.at(stars) == u'*')
        ++stars;
    QString criteria = typed.mid(stars);
    if (beginsWith)
        criteria += u'*';
    return criteria;
}

ListEntry Split_ListEntry(const QString &entry)
{
    const qsizetype comma = entry.indexOf(u',');
    if (comma < 0)
        return {entry.trimmed(), {}};
    return {entry.left(comma).trimmed(), entry.mid(comma + 2).trimmed()};
}
