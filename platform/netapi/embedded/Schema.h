// The database's tables, versioned by PRAGMA user_version. Each migration takes
// the file from one version to the next; a file is only ever moved forward.
#pragma once

#include <cstdint>

namespace platform::embedded {

class Database;

// The version this build writes.
int64_t schemaVersion();
// Applies every migration above the file's version; false when one fails or
// the file is newer than this build. Call inside an exclusive transaction.
bool migrate(Database &db, int64_t fromVersion);

} // namespace platform::embedded
