// Shell, windows and keyboard: starting programs and documents, top-level windows.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // ShellExecute's "Open" verb with no owner and no working directory. Returns a
    // value greater than 32 on success, as ShellExecute does. Arguments are handed
    // over as a list and never pass through a command interpreter.
    virtual intptr_t open(const QString &file, const QStringList &arguments, int show) = 0;
    // Whether a tool named by its Windows file name ("compmgmt.msc",
    // "notepad.exe") can be started on this system at all.
    virtual bool toolAvailable(const QString &tool) = 0;

    // Top-level windows. A handle of 0 means none.
    virtual intptr_t findWindow(const QString &caption) = 0;
    virtual bool setTopMost(intptr_t window, bool topMost) = 0;
    virtual intptr_t closeWindow(intptr_t window) = 0;
    // Titles of the top-level windows of every process (visible ones only when asked).
    virtual QStringList topLevelWindowTitles(bool visibleOnly) = 0;
    // Keystrokes to the focused window, in the SendKeys notation.
    virtual bool sendKeys(const QString &keys) = 0;
};

} // namespace platform
