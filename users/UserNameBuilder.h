// The account names the add-user window builds from a person's names: the name
// it proposes while the names are typed, and the candidates it tries when the
// typed name is taken. Texts are taken as typed (no trimming) unless said.
#pragma once

#include <QString>

// The first character of `firstName` upper-cased, then, when `lastName`
// holds more than blanks, its first character upper-cased and the rest
// lower-cased: "ann" and "o'BRIEN" give "AO'brien". No length limit.
QString Build_UserName(const QString &firstName, const QString &lastName);

// The name tried after `attempt` earlier candidates.
// Attempt 0: first characters of the first name and the middle initial, the
// last name's first character upper-cased and its rest lower-cased, cut to 8
// characters ("JQSmiths"). Later attempts: the first name's first character
// and the last name as above, cut to 6, then the attempt in decimal with at
// least two digits ("JSmith01" ... "JSmith10" ... "JSmith100").
QString Build_Candidate(const QString &firstName, const QString &middleInitial,
                        const QString &lastName, int attempt);

// "Last, First M" of the trimmed names; with no middle initial it ends in a
// blank.
QString Build_FullName(const QString &firstName, const QString &middleInitial,
                       const QString &lastName);
