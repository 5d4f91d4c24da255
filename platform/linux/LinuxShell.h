// Shell on Linux: programs start with an argument list (never through a
// command interpreter); documents and the Windows viewers ("notepad.exe",
// "winhlp32.exe") open with the desktop's own handler.
#pragma once

#include "platform/Shell.h"

namespace platform {

class LinuxShell : public Shell {
public:
    intptr_t open(const QString &file, const QStringList &arguments, int show) override;
    bool toolAvailable(const QString &tool) override;
    intptr_t findWindow(const QString &caption) override;
    bool setTopMost(intptr_t window, bool topMost) override;
    intptr_t closeWindow(intptr_t window) override;
    QStringList topLevelWindowTitles(bool visibleOnly) override;
    bool sendKeys(const QString &keys) override;
};

} // namespace platform
