#include "platform/netapi/embedded/Store.h"

#include "platform/netapi/embedded/FileCheck.h"
#include "platform/netapi/embedded/Schema.h"
#include "platform/netapi/embedded/Seed.h"

#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace platform::embedded {

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Creates the file empty with owner-only access before SQLite opens it; SQLite
// gives its -wal and -shm files the same mode.
bool createPrivateFile(const std::string &path, std::string &error)
{
    std::error_code ignored;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty() && !std::filesystem::exists(parent)) {
        std::filesystem::create_directories(parent, ignored);
        std::filesystem::permissions(parent, std::filesystem::perms::owner_all, ignored);
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "cannot create " + path;
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace

std::string defaultDatabasePath()
{
    const std::string chosen = environment("VARNEL_EMBEDDED_DB");
    if (!chosen.empty())
        return std::filesystem::absolute(chosen).string();
    std::string base = environment("XDG_DATA_HOME");
    if (base.empty())
        base = environment("HOME") + "/.local/share";
    return base + "/varnel/directory.sqlite";
}

Store::Store(const std::string &path, Clock clock) : m_path(path), m_clock(std::move(clock))
{
    m_open = openAndPrepare();
}

bool Store::openAndPrepare()
{
    if (!createPrivateFile(m_path, m_error) || !m_db.open(m_path, m_error))
        return false;
    const FileCheck check = checkDirectoryFile(m_db);
    if (!check.problem.empty() || check.unreadable) {
        m_refused = !check.problem.empty();
        m_error = m_refused ? check.problem : m_db.errorMessage();
        m_db.close();
        return false;
    }
    if (!m_db.configure(m_error))
        return false;
    // The usual case, a file of this version, takes no write lock.
    return check.version == schemaVersion() || bringUpToDate();
}

// Seeds a new file or moves an older one forward, in one exclusive
// transaction: of several processes starting at once, the first does it and
// the others find it done.
bool Store::bringUpToDate()
{
    Transaction transaction(m_db, Transaction::Mode::Exclusive);
    if (!transaction.began()) {
        m_error = m_db.errorMessage();
        return false;
    }
    const int64_t version = m_db.userVersion();
    if (version == schemaVersion())
        return true;
    if (!migrate(m_db, version)) {
        m_error = "cannot bring " + m_path + " from schema version "
            + std::to_string(version) + ": " + m_db.errorMessage();
        return false;
    }
    if (version == 0 && !seedNetwork(*this)) {
        m_error = "cannot seed " + m_path + ": " + m_db.errorMessage();
        return false;
    }
    if (!transaction.commit()) {
        m_error = m_db.errorMessage();
        return false;
    }
    m_seededHere = version == 0;
    return true;
}

uint32_t Store::now() const
{
    const QDateTime moment = m_clock ? m_clock() : QDateTime::currentDateTimeUtc();
    return uint32_t(moment.toSecsSinceEpoch());
}

} // namespace platform::embedded
