// Registers the account search window with the main window's menu.
#pragma once

void registerAccountListWindows();
