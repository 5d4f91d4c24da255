#include "Settings.h"

#include "platform/Platform.h"
#include "platform/SettingsStore.h"

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    return platform::settings().value(section, key, defaultValue);
}

void SaveSetting(const QString &section, const QString &key, const QString &value)
{
    platform::settings().setValue(section, key, value);
}

int32_t GetSettingInt(const QString &section, const QString &key, int32_t defaultValue)
{
    bool ok = false;
    const int32_t value = GetSetting(section, key).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void SaveSettingInt(const QString &section, const QString &key, int32_t value)
{
    SaveSetting(section, key, QString::number(value));
}

bool GetSettingBool(const QString &section, const QString &key, bool defaultValue)
{
    const QString text = GetSetting(section, key).trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    return defaultValue;
}

void SaveSettingBool(const QString &section, const QString &key, bool value)
{
    SaveSetting(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}
