// System information on Linux. The version record reports the NT family
// (platform id 2): the program runs on an NT-compatible network layer here.
#pragma once

#include "platform/SystemInfo.h"

namespace platform {

class LinuxSystemInfo : public SystemInfo {
public:
    bool queryVersion(OsVersionRecord &record) override;
    bool computerName(QString &name) override;
    QString windowsDirectory() override;
    QString tempDirectory() override;
    QString writableFolder() override;
    QString locateDataFile(const QString &fileName) override;
    QString readProfileString(const QString &section, const QString &key,
                              const QString &defaultValue, const QString &file,
                              int bufferChars) override;

    // The folder of the running executable.
    static QString executableFolder();
};

} // namespace platform
