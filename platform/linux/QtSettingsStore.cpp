#include "QtSettingsStore.h"

#include <QSettings>

namespace platform {

QString QtSettingsStore::value(const QString &section, const QString &key,
                               const QString &defaultValue)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Varnel"),
                    QStringLiteral("NT"));
    store.beginGroup(section);
    return store.value(key, defaultValue).toString();
}

void QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Varnel"),
                    QStringLiteral("NT"));
    store.beginGroup(section);
    store.setValue(key, value);
    store.endGroup();
    store.sync();
}

} // namespace platform
