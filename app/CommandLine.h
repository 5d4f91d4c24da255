// The program's command line: the account-list options and the switches.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// The arguments after the program's name joined by one blank.
QString JoinCommandLine(const QStringList &argumentsAfterProgram);

struct AccountListRequest {
    QString domain;
    int16_t type = 0;
    QString criteria;      // without a trailing "*"; empty for "*"
    bool wildcard = false; // the criteria ended in "*": a prefix match
};

// The account-list request when the line holds "/DOMAIN=", "/TYPE=" and
// "/CRITERIA=" (keys in any case, values keeping theirs); nothing otherwise.
std::optional<AccountListRequest> ParseAccountListRequest(const QString &commandLine);

// "/NOLOG", "/REUSE", "/V" anywhere in the upper-cased line.
bool HasSwitch(const QString &commandLine, const QString &upperCaseSwitch);
