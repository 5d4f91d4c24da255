#include "SearchText.h"

#include <algorithm>
#include <utility>
#include <vector>

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

void Sort_AsText(QStringList &items)
{
    // Folding each entry once keeps the 31,000 entries of a full list quick.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(std::size_t(items.size()));
    for (QString &item : items)
        keyed.emplace_back(item.toCaseFolded(), std::move(item));
    std::sort(keyed.begin(), keyed.end());
    items.clear();
    for (auto &[key, item] : keyed)
        items.append(std::move(item));
}
