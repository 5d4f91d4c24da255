// The group windows, given to the main window's Add, Delete and Modify menus.
#pragma once

void registerGroupWindows();
