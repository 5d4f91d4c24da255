// The per-user settings store on Linux: QSettings under "Varnel" / "NT".
#include "app/Settings.h"
#include "platform/Platform.h"
#include "platform/linux/QtSettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void valuesSurviveANewStoreObject();
    void storedInVarnelNtConf();
    void numbersAreSignedDecimalText();
    void booleansAreTrueOrFalse();
    void sectionWithASlashRoundTrips();
    void unreadableTextGivesTheDefault();

private:
    QTemporaryDir m_dir;
    platform::QtSettingsStore m_store;
};

void SettingsStoreTest::init()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    platform::Families families;
    families.settings = &m_store;
    platform::install(families);
}

void SettingsStoreTest::cleanup()
{
    QFile::remove(m_dir.filePath("Varnel/NT.conf"));
    platform::install({});
}

void SettingsStoreTest::valuesSurviveANewStoreObject()
{
    SaveSetting("Settings", "LastDomain", "SALES");
    platform::QtSettingsStore another;
    QCOMPARE(another.value("Settings", "LastDomain", "none"), "SALES");
    QCOMPARE(another.value("Settings", "Missing", "none"), "none");
}

void SettingsStoreTest::storedInVarnelNtConf()
{
    SaveSetting("Settings", "MainWindowSize", "2");
    QFile file(m_dir.filePath("Varnel/NT.conf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("[Settings]"));
    QVERIFY(content.contains("MainWindowSize=2"));
}

void SettingsStoreTest::numbersAreSignedDecimalText()
{
    SaveSettingInt("Settings", "PanelNorm", int32_t(0x80000005u));
    QCOMPARE(GetSetting("Settings", "PanelNorm"), "-2147483643");
    QCOMPARE(uint32_t(GetSettingInt("Settings", "PanelNorm", 0)), 0x80000005u);
}

void SettingsStoreTest::booleansAreTrueOrFalse()
{
    SaveSettingBool("NT Add Group", "Unique", true);
    SaveSettingBool("NT Add Group", "Global", false);
    QCOMPARE(GetSetting("NT Add Group", "Unique"), "True");
    QCOMPARE(GetSetting("NT Add Group", "Global"), "False");
    QVERIFY(GetSettingBool("NT Add Group", "Unique", false));
    QVERIFY(!GetSettingBool("NT Add Group", "Global", true));
}

void SettingsStoreTest::sectionWithASlashRoundTrips()
{
    SaveSettingBool("NT View/Modify Group", "Global", true);
    SaveSettingBool("NT View", "Global", false);
    platform::QtSettingsStore another;
    QCOMPARE(another.value("NT View/Modify Group", "Global", ""), "True");
    QCOMPARE(another.value("NT View", "Global", ""), "False");
}

void SettingsStoreTest::unreadableTextGivesTheDefault()
{
    SaveSetting("Settings", "FontFocus", "red");
    QCOMPARE(GetSettingInt("Settings", "FontFocus", 255), 255);
    SaveSetting("Settings", "Flag", "maybe");
    QVERIFY(GetSettingBool("Settings", "Flag", true));
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "test_settings_store.moc"
