// Who and where the program runs: the user, the machine, the logon domain and
// the workstation's domain. None of these fails outwards: a failed call yields
// "" and leaves its status in LastNetStatus.
#pragma once

#include <QString>

QString Get_UserName();
QString Get_ComputerName();
QString Get_LogonDomain();
QString Get_WkstaDomain();

// Logon domain, "\", user name: the operator as captions and log lines show it.
QString Get_Identity();
