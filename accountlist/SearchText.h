// The texts of an account search that carry no window: the criteria its
// copies receive, and the two halves of a result entry.
#pragma once

#include <QString>
#include <QStringList>

// The search text with every leading "*" removed; with `beginsWith`, "*"
// appended, which the copies read as a prefix match ("*" alone: all).
QString Search_Criteria(const QString &typed, bool beginsWith);

struct ListEntry {
    QString name;
    QString domain;
};

// A result entry ("name, DOMAIN") split at its first ",": the name is the
// trimmed text before it, the domain the trimmed text from two characters
// after it. An entry without a comma is all name.
ListEntry Split_ListEntry(const QString &entry);

// The result list's order: as text without regard to case (entries that
// differ only in case in their binary order).
void Sort_AsText(QStringList &items);
