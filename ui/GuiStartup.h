// The one main window of the interactive program.
#pragma once

#include "MainWindow.h"

// Creates the main window (once) and shows it, modeless.
void showMainWindow();

// The main window, or nullptr before showMainWindow.
frmVarnel *mainWindow();

// Task windows to give the main window's menus; when the window exists
// already it gets the factory at once, otherwise when it is created.
void registerTaskWindow(const QString &menuItem, frmVarnel::WindowFactory factory);
