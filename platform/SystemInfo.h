// System information: version record, machine name, folders and
// initialisation-file reading.
#pragma once

#include <QString>
#include <cstdint>

namespace platform {

// The operating system's version record, as GetVersionExA fills it.
struct OsVersionRecord {
    int32_t size = 148;
    int32_t major = -1;
    int32_t minor = -1;
    int32_t build = -1;
    int32_t platformId = -1;
    QString servicePack;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // Fills the record; false when the query failed (the record is left as given).
    virtual bool queryVersion(OsVersionRecord &record) = 0;
    // GetComputerNameA: false on failure.
    virtual bool computerName(QString &name) = 0;
    // GetWindowsDirectoryA / GetTempPathA: empty on failure.
    virtual QString windowsDirectory() = 0;
    virtual QString tempDirectory() = 0;

    // The folder where the program writes its own files (log, work files):
    // beside the executable in a writable build tree, else the per-user data
    // folder.
    virtual QString writableFolder() = 0;
    // Full path of a read-only file shipped with the program (errcodes.ini, help),
    // looked up beside the executable, then in the installed data folder.
    // When found nowhere, the path beside the executable.
    virtual QString locateDataFile(const QString &fileName) = 0;

    // GetPrivateProfileStringA into a buffer of bufferChars characters: the value
    // (at most bufferChars - 1 characters), or the default when the file, section
    // or key is missing.
    virtual QString readProfileString(const QString &section, const QString &key,
                                      const QString &defaultValue, const QString &file,
                                      int bufferChars) = 0;
};

} // namespace platform
