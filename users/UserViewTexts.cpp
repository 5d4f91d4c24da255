#include "UserViewTexts.h"

#include "platform/netapi/Flags.h"

#include <QDate>
#include <QLocale>

namespace {

constexpr int64_t SecondsPerDay = 86400;

int64_t roundedDays(int64_t seconds)
{
    int64_t days = seconds / SecondsPerDay;
    int64_t rest = seconds % SecondsPerDay;
    // Truncation went toward zero; rounding works on the distance from it.
    const int64_t away = seconds < 0 ? -1 : 1;
    rest *= away;
    if (2 * rest > SecondsPerDay || (2 * rest == SecondsPerDay && days % 2 != 0))
        days += away;
    return days;
}

} // namespace

QString Password_AgeText(int64_t seconds)
{
    return QString::number(roundedDays(seconds)) + QStringLiteral(" days");
}

QString User_RightsText(const QString &privilege, int64_t authFlags)
{
    QString text = privilege;
    if (authFlags & platform::af::OpAccounts)
        text += QStringLiteral(", AO");
    if (authFlags & platform::af::OpServer)
        text += QStringLiteral(", SO");
    if (authFlags & platform::af::OpPrint)
        text += QStringLiteral(", PRINT");
    return text;
}

QString Logon_ServerText(const QString &logonServer)
{
    return logonServer == QStringLiteral("\\\\*") ? QStringLiteral("Any") : logonServer;
}

QString Date_Text(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    return value.toString();
}
