// Gives the main window's "&Proxy User..." item its window.
#pragma once

void registerProxyWindow();
