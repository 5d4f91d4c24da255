#include "MainWindowSettings.h"

#include "OleColor.h"
#include "app/Settings.h"

namespace {

const QString Section = QStringLiteral("Settings");
const QString KeyWindowSize = QStringLiteral("MainWindowSize");
const QString KeyPanelNorm = QStringLiteral("PanelNorm");
const QString KeyPanelFont = QStringLiteral("PanelFont");
const QString KeyFontFocus = QStringLiteral("FontFocus");

// MainWindowSize: the window state as the settings hold it.
enum StoredWindowState { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };

Qt::WindowStates toWindowState(int32_t stored)
{
    switch (stored) {
    case StateNormal:
        return Qt::WindowNoState;
    case StateMinimised:
        return Qt::WindowMinimized;
    default:
        return Qt::WindowMaximized;
    }
}

int32_t toStoredState(Qt::WindowStates state)
{
    if (state & Qt::WindowMinimized)
        return StateMinimised;
    if (state & Qt::WindowMaximized)
        return StateMaximised;
    return StateNormal;
}

OleColor loadColor(const QString &key, OleColor defaultColor)
{
    const auto stored = OleColor(GetSettingInt(Section, key, int32_t(defaultColor)));
    return ole::isValid(stored) ? stored : defaultColor;
}

} // namespace

MainWindowSettings Load_MainWindowSettings()
{
    const MainWindowSettings defaults;
    MainWindowSettings loaded;
    loaded.state = toWindowState(GetSettingInt(Section, KeyWindowSize, StateMaximised));
    loaded.panel = loadColor(KeyPanelNorm, defaults.panel);
    loaded.panelText = loadColor(KeyPanelFont, defaults.panelText);
    loaded.focus = loadColor(KeyFontFocus, defaults.focus);
    return loaded;
}

void Save_MainWindowSettings(const MainWindowSettings &settings)
{
    SaveSettingInt(Section, KeyWindowSize, toStoredState(settings.state));
    SaveSettingInt(Section, KeyPanelNorm, int32_t(settings.panel));
    SaveSettingInt(Section, KeyPanelFont, int32_t(settings.panelText));
    SaveSettingInt(Section, KeyFontFocus, int32_t(settings.focus));
}
