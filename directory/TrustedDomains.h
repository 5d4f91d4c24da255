// The domains the workstation's domain trusts: the list every task window
// fills its domain box from.
#pragma once

#include <QStringList>
#include <cstdint>

// Appends the trusted domains, in the service's order, to `domains` and
// returns how many names it holds afterwards; 0 when the service call fails
// (the collection is then left as it was).
int32_t Get_TrustedDomains(QStringList &domains);
