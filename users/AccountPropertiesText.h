// The properties box of the delete-user window ("Who?"): what an operator
// checks before deleting an account.
#pragma once

#include <QString>
#include <QVariantList>

// The account flags the box shows besides the values read.
struct AccountFlags {
    bool cannotChange = false;
    bool neverExpires = false;
    bool disabled = false;
    bool lockedOut = false;
};

// One line each, joined by line feeds: full name, description, user comment,
// login script, password expired, and the four flags, written "True" or
// "False". `items` are a user account's values as Get_AccountInfo reads them.
QString Properties_Text(const QVariantList &items, const AccountFlags &flags);
