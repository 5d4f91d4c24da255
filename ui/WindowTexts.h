// Texts the task windows show that come from the program rather than from a
// window: the copyright line, the time stamp, the diagnostic box.
#pragma once

#include <QString>

class QTime;

// The copyright sign, the legal-copyright text, " Build ", then the major,
// minor and revision numbers written one after another.
QString Revision_Text();

// A time of day as the platform writes it (no time zone).
QString Time_Text(const QTime &time);

// The command line, then for each file in the program's folder a line feed
// and the file's name: what Ctrl+Tab shows, so that a support call can see
// how the program was started and what lies beside it.
QString Diagnostic_Text();
