// The lines of an account-list export: the header and one data line per
// entry, columns separated by ", ". A value is written as it is unless it
// holds a comma, a double quote, a CR or an LF: then it is quoted as RFC 4180
// quotes a field, so that every line keeps the header's column count for a
// reader that takes ", " as separator and honours quotes.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <cstdint>

// The four lines before the entries: title, run date, " ", column header.
QStringList Export_Header(const QDateTime &runDate, bool withProperties, int32_t searchKind);

// One value, quoted only when it must be.
QString Export_Value(const QString &value);

// Seconds of password age in whole days, a half going to the even number.
int64_t Password_AgeDays(int64_t seconds);

// The account flags from which a computer is a domain controller
// (UF_SERVER_TRUST_ACCOUNT).
inline constexpr int64_t ServerTrustFlag = 8192;

// The data line of a computer from its Get_AccountInfo values: the entry, the
// user link, the machine type.
QString Computer_ExportLine(const QString &entry, const QVariantList &values);

struct UserFlags {
    bool cannotChange = false;
    bool neverExpires = false;
    bool disabled = false;
    bool lockedOut = false;
};

// The data line of a user from its Get_AccountInfo values and flag outputs.
QString User_ExportLine(const QString &entry, const QVariantList &values, const UserFlags &flags);
