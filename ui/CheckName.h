// Whether an account name typed by the operator may be created. Only the add
// windows check names: groups allow blanks, users and computers do not.
#pragma once

#include <QString>

// The characters every add window allows besides letters, digits and blanks.
inline const QString NameExtraCharacters = QStringLiteral("!@#$%^&-_");

// The name is trimmed of leading and trailing blanks first. With anyCharacters
// only the three allowances are tested; otherwise each character must be a
// letter, a digit, a blank or one of `extra`. An empty name passes: the
// windows test for emptiness themselves, with their own message.
bool Check_Name(QString name, bool digits, bool letters, bool spaces, bool anyCharacters,
                const QString &extra);
