// Texts the view/modify-user window shares between its viewing and its
// changes.
#pragma once

#include <QString>

inline const QString ModifyUserTitle = QStringLiteral("NT View/Modify User Account");
inline const QString AccountFoundText =
    QStringLiteral("User account found and properties displayed.");
