// libFuzzer target of the settings values read back from disk: whatever text
// the settings file holds for the main window's state and colours (one line
// each, in the input's first lines) loads as a window state the program knows
// and colours it can paint, and what is loaded saves and loads back the same.
// The file's own syntax is QSettings' to parse; the store here hands the lines
// over as that parse would, so that runs need no disk.
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "ui/MainWindowSettings.h"
#include "ui/OleColor.h"

#include <QApplication>
#include <QHash>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class LinesStore : public platform::SettingsStore {
public:
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) override
    {
        return m_values.value(section + u'/' + key, defaultValue);
    }
    void setValue(const QString &section, const QString &key, const QString &value) override
    {
        m_values.insert(section + u'/' + key, value);
    }

private:
    QHash<QString, QString> m_values;
};

const char *const Keys[] = {"MainWindowSize", "PanelNorm", "PanelFont", "FontFocus"};

bool knownState(Qt::WindowStates state)
{
    return state == Qt::WindowNoState || state == Qt::WindowMinimized
           || state == Qt::WindowMaximized;
}

bool paintable(OleColor color) { return ole::isValid(color) && ole::toQColor(color).isValid(); }

bool same(const MainWindowSettings &a, const MainWindowSettings &b)
{
    return a.state == b.state && a.panel == b.panel && a.panelText == b.panelText
           && a.focus == b.focus;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv); // the palette of system colours
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'\n');
    LinesStore store;
    for (qsizetype i = 0; i < lines.size() && i < qsizetype(std::size(Keys)); ++i)
        store.setValue(QStringLiteral("Settings"), QString::fromLatin1(Keys[i]), lines.at(i));
    platform::Families families;
    families.settings = &store;
    platform::install(families);

    const MainWindowSettings loaded = Load_MainWindowSettings();
    if (!knownState(loaded.state) || !paintable(loaded.panel) || !paintable(loaded.panelText)
        || !paintable(loaded.focus))
        std::abort();
    Save_MainWindowSettings(loaded);
    if (!same(Load_MainWindowSettings(), loaded))
        std::abort();
    return 0;
}
