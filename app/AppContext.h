// The process-wide values every window reads. Created empty at start; lives
// until the process ends.
#pragma once

#include "ProgressIndicator.h"
#include "platform/SystemInfo.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

inline const QString AppTitle = QStringLiteral("Varnel");
inline const QString ExeBaseName = QStringLiteral("varnel");

// Colours are 32-bit values as the window toolkit's colour properties hold
// them: 0x00BBGGRR, or a system colour index when the top bit is set.
using OleColor = uint32_t;

struct AppContext {
    OleColor PanelColor = 8421504;
    OleColor PanelTextColor = 16777215;
    OleColor FocusColor = 255;
    std::array<bool, 3> AddWindowOpen{};
    bool SuppressChange = false;
    QStringList DomainList;
    platform::OsVersionRecord OsVersion;
    int32_t LastNetStatus = 0;

    // The one progress bar all task windows share: created on first use by the
    // factory the user-interface layer installs; released by the main window's
    // Delete and Modify menus so that the next user gets a fresh one.
    ProgressIndicator &SharedProgress();
    bool hasSharedProgress() const { return m_sharedProgress != nullptr; }
    void releaseSharedProgress() { m_sharedProgress.reset(); }
    void setProgressFactory(std::function<std::unique_ptr<ProgressIndicator>()> factory)
    {
        m_progressFactory = std::move(factory);
    }

    // The arguments after the program's name joined by one blank, as given.
    QString CommandLine;

private:
    std::unique_ptr<ProgressIndicator> m_sharedProgress;
    std::function<std::unique_ptr<ProgressIndicator>()> m_progressFactory;
};

AppContext &appContext();
// Back to the empty state of a new process (tests).
void resetAppContext();
