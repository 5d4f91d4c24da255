#include "AccountValues.h"

#include "NetStrings.h"
#include "app/Seams.h"

#include <QDate>

namespace {

constexpr int64_t SecondsPerDay = 86400;

QVariant number(uint32_t value)
{
    return QVariant(int32_t(value)); // netapi32's DWORDs read as 32-bit signed
}

QVariant text(const std::string &field)
{
    return Get_StrFromPtr(field);
}

QString privilegeWord(uint32_t privilege)
{
    switch (privilege) {
    case 0:
        return QStringLiteral("GUEST");
    case 1:
        return QStringLiteral("USER");
    case 2:
        return QStringLiteral("ADMIN");
    case 3:
        return QStringLiteral("MASK");
    default:
        return {};
    }
}

QVariant expiry(uint32_t accountExpires)
{
    if (accountExpires == platform::TimeqForever)
        return QStringLiteral("Never");
    return Date_FromNetTime(accountExpires);
}

// The service hands out a reference to its hours table; there is no address
// here, so the number says only whether a table exists (its size in bytes)
// or not (0: any hour).
QVariant logonHoursReference(const std::vector<uint8_t> &hours)
{
    return QVariant(int32_t(hours.size()));
}

} // namespace

QDate Date_FromNetTime(uint32_t seconds)
{
    const QDateTime now = seams::now();
    // The local wall-clock time counted as if it were UTC: seconds from
    // 1 January 1970 to now, both in local time.
    const int64_t localNow = QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch();
    const int64_t days = (localNow - int64_t(seconds)) / SecondsPerDay;
    return now.date().addDays(-days);
}

void Append_UserValues(const platform::UserInfo3 &info, QVariantList &items)
{
    items << text(info.name) << QString() << number(info.passwordAge)
          << privilegeWord(info.priv) << text(info.homeDir) << text(info.comment)
          << number(info.flags) << text(info.scriptPath) << number(info.authFlags)
          << text(info.fullName) << text(info.usrComment) << text(info.parms)
          << text(info.workstations) << Date_FromNetTime(info.lastLogon)
          << Date_FromNetTime(info.lastLogoff) << expiry(info.acctExpires)
          << number(info.maxStorage) << number(info.unitsPerWeek)
          << logonHoursReference(info.logonHours) << number(info.badPwCount)
          << number(info.numLogons) << text(info.logonServer) << number(info.countryCode)
          << number(info.codePage) << number(info.userId) << number(info.primaryGroupId)
          << text(info.profile) << text(info.homeDirDrive) << (info.passwordExpired != 0);
}

void Append_ComputerValues(const platform::UserInfo3 &info, QVariantList &items)
{
    items << text(info.name) << QString() << number(info.passwordAge) << number(info.priv)
          << text(info.homeDir) << text(info.comment) << number(info.flags)
          << text(info.scriptPath);
}

void Append_GroupValues(const platform::GroupInfo1 &info, QVariantList &items)
{
    items << text(info.name) << text(info.comment);
}

void Append_MachineValues(const platform::ServerInfo101 &info, QVariantList &items)
{
    items << number(info.platformId) << text(info.name) << number(info.versionMajor)
          << number(info.versionMinor) << number(info.type) << text(info.comment);
}
