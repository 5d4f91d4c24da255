// A thin RAII wrapper over one SQLite connection: statements, transactions
// and the settings several processes sharing one file need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::embedded {

class Statement {
public:
    Statement(sqlite3 *db, const char *sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement &operator=(Statement &&) = delete;

    // Parameters count from 1, as in SQLite.
    Statement &bind(int index, int64_t value);
    Statement &bind(int index, const std::string &value);
    Statement &bindBlob(int index, const std::vector<uint8_t> &value);
    Statement &bindNull(int index);

    // True while a row is there; false when done or failed (see failed()).
    bool step();
    // Runs a statement that returns no rows; true on success.
    bool run();
    void reset();
    bool failed() const { return m_failed; }

    int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<uint8_t> blob(int column) const;
    bool isNull(int column) const;

private:
    sqlite3_stmt *m_statement = nullptr;
    bool m_failed = false;
};

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens (creating) the file with a busy timeout; reads nothing yet.
    bool open(const std::string &path, std::string &error);
    // WAL and foreign keys on; the first setting may write the file's header,
    // so a file is checked before (see FileCheck.h).
    bool configure(std::string &error);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    bool exec(const std::string &sql);
    Statement prepare(const char *sql) { return Statement(m_db, sql); }
    int64_t lastInsertId() const;
    int changes() const;
    std::string errorMessage() const;
    // SQLite's extended code of the last failure.
    int errorCode() const;
    int64_t userVersion();
    bool setUserVersion(int64_t version);

private:
    sqlite3 *m_db = nullptr;
};

// One transaction; rolled back unless committed. Immediate and exclusive take
// the write lock at once, so two writers never deadlock on an upgrade.
class Transaction {
public:
    enum class Mode { Read, Write, Exclusive };
    Transaction(Database &db, Mode mode);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    bool began() const { return m_began; }
    bool commit();

private:
    Database &m_db;
    bool m_began = false;
    bool m_done = false;
};

} // namespace platform::embedded
