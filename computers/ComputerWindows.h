// The computer windows, given to the main window's Add, Delete and Modify menus.
#pragma once

void registerComputerWindows();
