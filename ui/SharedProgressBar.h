// Makes the application context's shared progress bar a drawn CProgressBar.
#pragma once

class CProgressBar;

// Installs the factory; the bar itself is created on first use.
void installSharedProgressBar();
// The shared bar as a CProgressBar (created if needed), for binding a canvas;
// null when the bar in use is not one (the factory was not installed).
CProgressBar *sharedProgressBar();
