// The per-user settings store: text values addressed by section and key under
// the application "Varnel\NT".
#pragma once

#include <QString>

namespace platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString &section, const QString &key,
                          const QString &defaultValue) = 0;
    virtual void setValue(const QString &section, const QString &key, const QString &value) = 0;
};

} // namespace platform
