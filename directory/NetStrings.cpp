#include "NetStrings.h"

QString Get_StrFromPtr(const std::string &field)
{
    return Trim_Null(QString::fromStdString(field));
}

QString Trim_Null(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

std::string To_NetStr(const QString &text)
{
    return text.toStdString();
}
