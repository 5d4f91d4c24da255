// Positions of a user account's values in what Get_AccountInfo appends
// (counted from 1, as the layer documents them), and safe reading by position.
#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

namespace user_item {
inline constexpr int PasswordAge = 3;
inline constexpr int Privilege = 4;
inline constexpr int HomeDir = 5;
inline constexpr int Comment = 6;
inline constexpr int ScriptPath = 8;
inline constexpr int AuthFlags = 9;
inline constexpr int FullName = 10;
inline constexpr int UserComment = 11;
inline constexpr int LastLogon = 14;
inline constexpr int AccountExpires = 16;
inline constexpr int LogonServer = 22;
inline constexpr int Profile = 27;
inline constexpr int HomeDirDrive = 28;
inline constexpr int PasswordExpired = 29;

// A missing position reads as empty, 0 or false.
inline QVariant at(const QVariantList &items, int position)
{
    return items.value(position - 1);
}
inline QString text(const QVariantList &items, int position)
{
    return at(items, position).toString();
}
inline qint64 number(const QVariantList &items, int position)
{
    return at(items, position).toLongLong();
}
inline bool flag(const QVariantList &items, int position)
{
    return at(items, position).toBool();
}
inline QDate date(const QVariantList &items, int position)
{
    return at(items, position).toDate();
}
} // namespace user_item
