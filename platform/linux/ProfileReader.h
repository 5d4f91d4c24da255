// Reading one value from a Windows initialisation file the way
// GetPrivateProfileString does, so that a file written for the Windows build
// reads the same here.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Section and key are matched without regard to case; blanks around the key
// and the value are trimmed; one pair of surrounding quotes (single or double)
// is dropped; there are no inline comments (a ";" inside a value is kept);
// the first of duplicate keys wins; the value is cut to bufferChars - 1
// characters. A missing file, section or key gives the default.
QString readProfileString(const QString &section, const QString &key,
                          const QString &defaultValue, const QString &file, int bufferChars);

// The same lookup in a file's contents already read.
QString profileStringIn(const QByteArray &contents, const QString &section, const QString &key,
                        const QString &defaultValue, int bufferChars);

} // namespace platform
