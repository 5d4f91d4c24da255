#include "platform/netapi/embedded/Database.h"

#include <sqlite3.h>

namespace platform::embedded {

namespace {
// Long enough for another process to seed a new file or add many users.
constexpr int BusyTimeoutMs = 30000;
} // namespace

Statement::Statement(sqlite3 *db, const char *sql)
{
    if (!db || sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
        m_failed = true;
}

Statement::~Statement()
{
    sqlite3_finalize(m_statement);
}

Statement::Statement(Statement &&other) noexcept
    : m_statement(other.m_statement), m_failed(other.m_failed)
{
    other.m_statement = nullptr;
}

Statement &Statement::bind(int index, int64_t value)
{
    if (!m_failed && sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        m_failed = true;
    return *this;
}

Statement &Statement::bind(int index, const std::string &value)
{
    if (!m_failed
        && sqlite3_bind_text(m_statement, index, value.data(), int(value.size()),
                             SQLITE_TRANSIENT) != SQLITE_OK)
        m_failed = true;
    return *this;
}

Statement &Statement::bindBlob(int index, const std::vector<uint8_t> &value)
{
    if (value.empty())
        return bindNull(index);
    if (!m_failed
        && sqlite3_bind_blob(m_statement, index, value.data(), int(value.size()),
                             SQLITE_TRANSIENT) != SQLITE_OK)
        m_failed = true;
    return *this;
}

Statement &Statement::bindNull(int index)
{
    if (!m_failed && sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        m_failed = true;
    return *this;
}

bool Statement::step()
{
    if (m_failed)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_failed = true;
    return false;
}

bool Statement::run()
{
    step();
    return !m_failed;
}

void Statement::reset()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

std::string Statement::text(int column) const
{
    const auto *bytes = sqlite3_column_text(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return bytes ? std::string(reinterpret_cast<const char *>(bytes), size) : std::string();
}

std::vector<uint8_t> Statement::blob(int column) const
{
    const auto *bytes = static_cast<const uint8_t *>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

bool Database::open(const std::string &path, std::string &error)
{
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        error = m_db ? sqlite3_errmsg(m_db) : "cannot open " + path;
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    return true;
}

bool Database::configure(std::string &error)
{
    if (!exec("PRAGMA foreign_keys = ON") || !exec("PRAGMA journal_mode = WAL")
        || !exec("PRAGMA synchronous = NORMAL")) {
        error = errorMessage();
        close();
        return false;
    }
    return true;
}

void Database::close()
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Database::exec(const std::string &sql)
{
    return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

int64_t Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

std::string Database::errorMessage() const
{
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

int Database::errorCode() const
{
    return m_db ? sqlite3_extended_errcode(m_db) : SQLITE_MISUSE;
}

int64_t Database::userVersion()
{
    Statement query = prepare("PRAGMA user_version");
    return query.step() ? query.integer(0) : -1;
}

bool Database::setUserVersion(int64_t version)
{
    return exec("PRAGMA user_version = " + std::to_string(version));
}

Transaction::Transaction(Database &db, Mode mode) : m_db(db)
{
    const char *begin = mode == Mode::Read    ? "BEGIN DEFERRED"
                        : mode == Mode::Write ? "BEGIN IMMEDIATE"
                                              : "BEGIN EXCLUSIVE";
    m_began = m_db.exec(begin);
}

Transaction::~Transaction()
{
    if (m_began && !m_done)
        m_db.exec("ROLLBACK");
}

bool Transaction::commit()
{
    if (!m_began || m_done)
        return false;
    m_done = m_db.exec("COMMIT");
    return m_done;
}

} // namespace platform::embedded
