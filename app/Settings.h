// Per-user settings of "Varnel\NT": numbers as decimal text of the signed
// 32-bit value, Booleans as "True" / "False".
#pragma once

#include <QString>
#include <cstdint>

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue = {});
void SaveSetting(const QString &section, const QString &key, const QString &value);

// A stored text that is not a number gives the default.
int32_t GetSettingInt(const QString &section, const QString &key, int32_t defaultValue);
void SaveSettingInt(const QString &section, const QString &key, int32_t value);

bool GetSettingBool(const QString &section, const QString &key, bool defaultValue);
void SaveSettingBool(const QString &section, const QString &key, bool value);
