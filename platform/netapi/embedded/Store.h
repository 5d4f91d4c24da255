// The open directory file: one connection and the clock. Opening a file that
// does not exist yet creates it (mode 0600) and seeds it in one exclusive
// transaction, so of several processes starting at once exactly one seeds and
// the others wait for it and then use what it wrote. An existing file is
// checked before anything writes to it, and refused when damaged.
#pragma once

#include "platform/netapi/embedded/Database.h"

#include <QDateTime>

#include <cstdint>
#include <functional>
#include <string>

namespace platform::embedded {

using Clock = std::function<QDateTime()>;

class Store {
public:
    // clock: the present moment (the program passes its clock seam); empty:
    // the system clock.
    Store(const std::string &path, Clock clock);

    bool isOpen() const { return m_open; }
    const std::string &openError() const { return m_error; }
    // True when the file exists but is not one this build can use (see
    // FileCheck.h); openError() says why. The file was left untouched.
    bool refused() const { return m_refused; }
    // True when this process created and seeded the file.
    bool seededHere() const { return m_seededHere; }
    const std::string &path() const { return m_path; }

    Database &db() { return m_db; }
    // Seconds since 1970-01-01 UTC, as netapi32 counts times.
    uint32_t now() const;

private:
    bool openAndPrepare();
    bool bringUpToDate();

    std::string m_path;
    Clock m_clock;
    Database m_db;
    bool m_open = false;
    bool m_seededHere = false;
    bool m_refused = false;
    std::string m_error;
};

// The file to use: VARNEL_EMBEDDED_DB (absolute, or relative to the working
// directory), else $XDG_DATA_HOME/varnel/directory.sqlite, else
// ~/.local/share/varnel/directory.sqlite.
std::string defaultDatabasePath();

} // namespace platform::embedded
