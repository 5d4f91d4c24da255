#include "platform/netapi/NameRules.h"

#include <QString>

namespace platform::netapi {

namespace {

constexpr const char *NameRemarks =
    "USER_INFO_0 structure (lmaccess.h), Remarks: user account names are limited to 20 "
    "characters, group names to 256; no terminating period; none of \" / \\ [ ] : | < > + "
    "= ; ? , * nor characters 1-31. NERR_BadUsername (Network Management Error Codes, "
    "lmerr.h) is \"The user name or group name parameter is invalid\"; [MS-SAMR] 3.1.1.6 "
    "rejects such a sAMAccountName";

// One row per situation. netapi32 documents several statuses for some of them;
// the choice made here is the one status every back end gives.
constexpr SituationRule Rules[] = {
    {Situation::UnknownLevel, status::InvalidLevel,
     "NetUserGetInfo function (lmaccess.h), Return value: ERROR_INVALID_LEVEL"},
    {Situation::NameEmpty, status::BadUsername, NameRemarks},
    {Situation::NameTooLong, status::BadUsername, NameRemarks},
    {Situation::NameForbiddenChar, status::BadUsername, NameRemarks},
    {Situation::NameControlChar, status::BadUsername, NameRemarks},
    {Situation::NameEndsWithPeriod, status::BadUsername, NameRemarks},
    {Situation::BadUserLookedUp, status::UserNotFound,
     "no account can bear such a name, so a look-up answers as for any missing user: "
     "NetUserGetInfo function (lmaccess.h), Return value: NERR_UserNotFound"},
    {Situation::BadGroupLookedUp, status::GroupNotFound,
     "as for any missing group: NetGroupGetInfo / NetLocalGroupGetInfo function "
     "(lmaccess.h), Return value: NERR_GroupNotFound"},
    {Situation::PrivilegeNotUser, status::InvalidParameter,
     "USER_INFO_1 structure (lmaccess.h), usri1_priv: NetUserAdd requires USER_PRIV_USER; "
     "parm_err is USER_PRIV_PARMNUM"},
    {Situation::AccountTypeNotOne, status::InvalidParameter,
     "USER_INFO_1 structure (lmaccess.h), usri1_flags: exactly one account-type value; "
     "parm_err is USER_FLAGS_PARMNUM"},
    {Situation::NameTakenByUser, status::UserExists,
     "NetUserAdd function (lmaccess.h), Return value: NERR_UserExists; one name space per "
     "account database ([MS-SAMR] 3.1.1.6, sAMAccountName unique in the domain)"},
    {Situation::NameTakenByGroup, status::GroupExists,
     "NetGroupAdd / NetLocalGroupAdd function (lmaccess.h), Return value: NERR_GroupExists"},
    {Situation::NameTakenByLocalGroup, status::AliasExists,
     "NetLocalGroupAdd function (lmaccess.h), Return value: ERROR_ALIAS_EXISTS"},
    {Situation::PasswordPolicy, status::PasswordTooShort,
     "NetUserAdd function (lmaccess.h), Return value: NERR_PasswordTooShort, also for a "
     "password that fails another policy requirement (complexity)"},
    {Situation::WriteAtBackup, status::NotPrimary,
     "NetUserAdd function (lmaccess.h), Return value: NERR_NotPrimary"},
    {Situation::GlobalGroupOffDomain, status::NotPrimary,
     "global groups live in a domain's database, written at its primary controller "
     "(NetGroupAdd function (lmaccess.h), Return value: NERR_NotPrimary)"},
    {Situation::BuiltInAccount, status::SpecialAccount,
     "ERROR_SPECIAL_ACCOUNT (System Error Codes 1300-1699): built-in accounts stay"},
    {Situation::BuiltInGroup, status::SpeGroupOp,
     "NetGroupDel function (lmaccess.h), Return value: NERR_SpeGroupOp"},
    {Situation::PrimaryGroupMember, status::MembersPrimaryGroup,
     "ERROR_MEMBERS_PRIMARY_GROUP (System Error Codes 1300-1699): a user leaves its "
     "primary group only by getting another"},
    {Situation::UnknownMember, status::NoSuchMember,
     "NetLocalGroupAddMembers function (lmaccess.h), Return value: ERROR_NO_SUCH_MEMBER"},
    {Situation::MemberOfWrongKind, status::InvalidMember,
     "NetLocalGroupAddMembers function (lmaccess.h), Return value: ERROR_INVALID_MEMBER"},
};

bool isForbidden(char16_t c)
{
    return QStringLiteral("\"/\\[]:|<>+=;?,*").contains(QChar(c));
}

bool isBlank(const QString &name)
{
    for (QChar c : name) {
        if (c != u' ' && c != u'.')
            return false;
    }
    return true;
}

// The first rule the name breaks, as a situation; UnknownLevel means none.
Situation firstFault(const QString &name, NameKind kind)
{
    if (isBlank(name))
        return Situation::NameEmpty;
    const bool userObject = kind == NameKind::User || kind == NameKind::Computer;
    if (name.size() > (userObject ? MaxUserNameLength : MaxGroupNameLength))
        return Situation::NameTooLong;
    for (QChar c : name) {
        if (c.unicode() >= 1 && c.unicode() <= 31)
            return Situation::NameControlChar;
        if (isForbidden(c.unicode()))
            return Situation::NameForbiddenChar;
    }
    if (name.endsWith(u'.'))
        return Situation::NameEndsWithPeriod;
    return Situation::UnknownLevel;
}

} // namespace

NetStatus statusFor(Situation situation)
{
    for (const SituationRule &rule : Rules) {
        if (rule.situation == situation)
            return rule.status;
    }
    return status::InvalidParameter;
}

const SituationRule *situationRules(int &count)
{
    count = int(sizeof(Rules) / sizeof(Rules[0]));
    return Rules;
}

NetStatus checkAccountName(const std::string &utf8Name, NameKind kind)
{
    const Situation fault = firstFault(QString::fromStdString(utf8Name), kind);
    return fault == Situation::UnknownLevel ? status::Success : statusFor(fault);
}

bool isBadAccountName(const std::string &utf8Name, NameKind kind)
{
    return checkAccountName(utf8Name, kind) != status::Success;
}

} // namespace platform::netapi
