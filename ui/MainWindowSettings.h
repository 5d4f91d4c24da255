// The main window's stored state and colour scheme (section "Settings"), read
// back with whatever the file holds: a value that is no number, out of range
// or no colour gives that setting's default.
#pragma once

#include "app/AppContext.h"

#include <Qt>

struct MainWindowSettings {
    Qt::WindowStates state = Qt::WindowMaximized;
    OleColor panel = 8421504;
    OleColor panelText = 16777215;
    OleColor focus = 255;
};

MainWindowSettings Load_MainWindowSettings();
void Save_MainWindowSettings(const MainWindowSettings &settings);
