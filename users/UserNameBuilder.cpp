#include "UserNameBuilder.h"

#include "ui/FieldText.h"

namespace {

constexpr int FirstCandidateLength = 8;
constexpr int CountedStemLength = 6;

// The last name as account names carry it: a capital, then lower case.
QString capitalised(const QString &name)
{
    return name.left(1).toUpper() + name.mid(1).toLower();
}

} // namespace

QString Build_UserName(const QString &firstName, const QString &lastName)
{
    QString name = firstName.left(1).toUpper();
    if (!Trim_Blanks(lastName).isEmpty())
        name += capitalised(lastName);
    return name;
}

QString Build_Candidate(const QString &firstName, const QString &middleInitial,
                        const QString &lastName, int attempt)
{
    if (attempt == 0)
        return (firstName.left(1) + middleInitial.left(1) + capitalised(lastName))
            .left(FirstCandidateLength);
    const QString stem = (firstName.left(1) + capitalised(lastName)).left(CountedStemLength);
    return stem + QStringLiteral("%1").arg(attempt, 2, 10, QChar(u'0'));
}

QString Build_FullName(const QString &firstName, const QString &middleInitial,
                       const QString &lastName)
{
    return Trim_Blanks(lastName) + QStringLiteral(", ") + Trim_Blanks(firstName) + u' '
        + Trim_Blanks(middleInitial);
}
