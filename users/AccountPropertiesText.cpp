#include "AccountPropertiesText.h"

#include "UserItems.h"

#include <QStringList>

namespace {

QString word(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace

QString Properties_Text(const QVariantList &items, const AccountFlags &flags)
{
    using namespace user_item;
    const QStringList lines{
        QStringLiteral("Full Name: ") + text(items, FullName),
        QStringLiteral("Description: ") + text(items, Comment),
        QStringLiteral("User Comment: ") + text(items, UserComment),
        QStringLiteral("Login Script: ") + text(items, ScriptPath),
        QStringLiteral("Password Expired: ") + word(flag(items, PasswordExpired)),
        QStringLiteral("No User Change Password: ") + word(flags.cannotChange),
        QStringLiteral("Password Never Expires: ") + word(flags.neverExpires),
        QStringLiteral("Account Disabled: ") + word(flags.disabled),
        QStringLiteral("Account Locked Out: ") + word(flags.lockedOut),
    };
    return lines.join(u'\n');
}
