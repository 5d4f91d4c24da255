#include "FieldText.h"

#include "app/DomainList.h"

QString Trim_Blanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString Domain_Case(const QString &text)
{
    return Trim_Blanks(text) == MyComputer ? text : text.toUpper();
}

QString Without_ServerPrefix(const QString &text)
{
    if (text.startsWith(QStringLiteral("\\\\")) && text != MyComputer)
        return text.mid(2);
    return text;
}
