// The account of computer NAME is NAME$ in the directory; the windows show and
// take the name without the "$".
#pragma once

#include <QString>

// Upper case, with "$" appended unless it already ends in "$".
QString To_ComputerAccount(const QString &name);

// Removes one trailing "$", if there is one.
void Remove_TrailingDollar(QString &name);
