// The look at an existing directory file before anything writes to it. A file
// this build cannot use (not a database, damaged, of a newer build, or another
// program's database) is refused and left byte for byte as it was: moving it
// forward or seeding it would destroy what the operator may still recover.
#pragma once

#include <cstdint>
#include <string>

namespace platform::embedded {

class Database;

struct FileCheck {
    // The schema version the file holds; 0 for a new file (missing, zero
    // bytes long, or a database with no tables yet).
    int64_t version = 0;
    // Why the file is refused, or "" when it can be used.
    std::string problem;
    // True when the file could not be read at all (an input/output or access
    // failure), which says nothing about the file's content.
    bool unreadable = false;
};

// Reads the header, the schema version and the table list in one read
// transaction on `db`, opened but not yet configured; writes nothing.
FileCheck checkDirectoryFile(Database &db);

} // namespace platform::embedded
