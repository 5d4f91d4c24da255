// The per-user settings store over QSettings: organisation "Varnel",
// application "NT" (~/.config/Varnel/NT.conf), one group per section.
#pragma once

#include "platform/SettingsStore.h"

namespace platform {

class QtSettingsStore : public SettingsStore {
public:
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
};

} // namespace platform
