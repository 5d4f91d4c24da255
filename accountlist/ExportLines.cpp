#include "ExportLines.h"

#include <QDate>
#include <QLocale>
#include <cmath>

namespace {

const QString Separator = QStringLiteral(", ");

// The values Get_AccountInfo hands out are counted from 1.
QVariant value(const QVariantList &values, int number)
{
    return values.value(number - 1);
}

QString valueText(const QVariantList &values, int number)
{
    const QVariant item = value(values, number);
    if (item.metaType().id() == QMetaType::QDate)
        return QLocale().toString(item.toDate(), QLocale::ShortFormat);
    return item.toString();
}

QString trueFalse(bool flag)
{
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}

QString joined(const QString &entry, const QStringList &columns)
{
    QString line = entry;
    for (const QString &column : columns)
        line += Separator + Export_Value(column);
    return line;
}

} // namespace

QStringList Export_Header(const QDateTime &runDate, bool withProperties, int32_t searchKind)
{
    QString columns = QStringLiteral("AccountName, Domain");
    if (withProperties && searchKind == 1)
        columns += QStringLiteral(", UserLink, MachineType");
    else if (withProperties)
        columns += QStringLiteral(", FullName, LoginScript, EmployeeID, Description, Profile, "
                                  "HomeDir, AccountExp, PasswordAge, PassExp, NoPassChange, "
                                  "PassNeverExp, AccountDisabled");
    return {QStringLiteral("NT Account List"),
            QStringLiteral("Run date: ") + QLocale().toString(runDate, QLocale::ShortFormat),
            QStringLiteral(" "), columns};
}

QString Export_Value(const QString &value)
{
    const bool plain = !value.contains(u',') && !value.contains(u'"') &&
                       !value.contains(u'\r') && !value.contains(u'\n');
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

int64_t Password_AgeDays(int64_t seconds)
{
    // The quotient is exact to far below a day's part, so a half stays a
    // half and the default rounding mode sends it to the even number.
    return int64_t(std::nearbyint(double(seconds) / 86400.0));
}

QString Computer_ExportLine(const QString &entry, const QVariantList &values)
{
    const bool controller = value(values, 7).toLongLong() >= ServerTrustFlag;
    const QString machineType = controller ? QStringLiteral("Domain Controller")
                                           : QStringLiteral("Workstation or Server");
    return joined(entry, {valueText(values, 6), machineType});
}

QString User_ExportLine(const QString &entry, const QVariantList &values, const UserFlags &flags)
{
    return joined(entry,
                  {valueText(values, 10), valueText(values, 8), valueText(values, 11),
                   valueText(values, 6), valueText(values, 27), valueText(values, 5),
                   valueText(values, 16),
                   QString::number(Password_AgeDays(value(values, 3).toLongLong())),
                   trueFalse(value(values, 29).toBool()), trueFalse(flags.cannotChange),
                   trueFalse(flags.neverExpires), trueFalse(flags.disabled)});
}
