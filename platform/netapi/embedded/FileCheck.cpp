#include "platform/netapi/embedded/FileCheck.h"

#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/Schema.h"

#include <sqlite3.h>

namespace platform::embedded {

namespace {

// SQLite reads the header and checks the page count against the file's size
// on the first read, so a file of other bytes answers SQLITE_NOTADB and a cut
// one SQLITE_CORRUPT before any table is looked at.
FileCheck readFailure(Database &db)
{
    FileCheck check;
    const int code = db.errorCode() & 0xff;
    if (code == SQLITE_NOTADB)
        check.problem = "it is not a Varnel directory (" + db.errorMessage() + ")";
    else if (code == SQLITE_CORRUPT)
        check.problem = "it is damaged (" + db.errorMessage() + ")";
    else
        check.unreadable = true;
    return check;
}

// Counts the tables, and checks every page of them: a damaged page deep in a
// table would otherwise surface only when some later call reads it.
bool structureIsSound(Database &db, int64_t &tables, std::string &problem)
{
    Statement count = db.prepare("SELECT count(*) FROM sqlite_schema");
    if (!count.step())
        return false;
    tables = count.integer(0);
    Statement check = db.prepare("PRAGMA quick_check");
    if (!check.step())
        return false;
    if (check.text(0) != "ok")
        problem = "it is damaged (" + check.text(0) + ")";
    return true;
}

} // namespace

FileCheck checkDirectoryFile(Database &db)
{
    Transaction read(db, Transaction::Mode::Read);
    FileCheck check;
    int64_t tables = 0;
    check.version = db.userVersion();
    if (check.version < 0 || !structureIsSound(db, tables, check.problem))
        return readFailure(db);
    if (!check.problem.empty())
        return check;
    if (check.version > schemaVersion())
        check.problem = "it was written by a newer Varnel (directory version "
            + std::to_string(check.version) + "; this program knows versions up to "
            + std::to_string(schemaVersion()) + ")";
    else if (check.version == 0 && tables > 0)
        check.problem = "it is not a Varnel directory (it holds another program's tables)";
    return check;
}

} // namespace platform::embedded
