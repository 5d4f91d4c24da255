// The values of the read-only view of a user account, as its labels show them.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

// Whole days, rounded to the nearest with halves to the even neighbour (3.5
// days shows 4, 2.5 days shows 2), and " days".
QString Password_AgeText(int64_t seconds);

// The privilege word, then ", AO" for account operators, ", SO" for server
// operators and ", PRINT" for print operators, in that order. The
// communication-operator flag is not shown.
QString User_RightsText(const QString &privilege, int64_t authFlags);

// "Any" for "\\*" (any controller may log the user on); else as read.
QString Logon_ServerText(const QString &logonServer);

// A date in the short date format of the locale; any other value (the word
// "Never") as it stands.
QString Date_Text(const QVariant &value);
