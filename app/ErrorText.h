// Directory status codes in words: the built-in table first, then errcodes.ini.
#pragma once

#include <QString>
#include <cstdint>

QString Get_ErrorText(int32_t code);

// GetPrivateProfileString into a 500-character buffer; the default when empty.
QString Read_IniString(const QString &section, const QString &key, const QString &defaultValue,
                       const QString &file);
