// What a new directory file starts with, and bulk users for benchmarks and
// demonstrations. The network seeded is always the same:
//
// - HEADOFFICE, the workstation's domain: PDC HQDC01, BDCs HQDC02 and HQDC03,
//   member servers HQFS01 (shares) and HQSQL01 (SQL Server), and the local
//   machine HQWS042 (a workstation of the domain, the "" server).
// - SALES: PDC SLSDC01, BDC SLSDC02, member server SLSFS01.
// - ENGINEERING: PDC ENGDC01 (no backup controller), SQL server ENGSQL01.
// - HEADOFFICE trusts SALES and ENGINEERING, and each trusts HEADOFFICE.
// - Each domain: a few dozen users (some beginning with "J" or "j", some with
//   a "j" inside), computer accounts, global groups, the built-in accounts and
//   groups; HEADOFFICE also has a "None" group and a local group holding
//   members of the trusted domains.
// - No password policy. Every seeded account has the password SeedPassword.
#pragma once

#include "platform/netapi/Statuses.h"

#include <string>

namespace platform::embedded {

class Store;

inline constexpr const char *SeedPassword = "Varnel#Demo1";

// Seeds an empty, migrated file; call inside the exclusive transaction that
// created it.
bool seedNetwork(Store &store);

// Adds `count` users named prefix + a number (prefix0000001 ...) to the
// domain's database, one transaction, skipping numbers already taken; all get
// SeedPassword and Domain Users. Status: Success, NoSuchDomain, BadUsername for
// a prefix that makes bad names, or InternalError.
NetStatus seedUsers(Store &store, const std::string &domain, int count,
                    const std::string &prefix, int &added);

} // namespace platform::embedded
