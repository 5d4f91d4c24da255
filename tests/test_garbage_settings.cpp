// A settings file holding garbage (no numbers, numbers out of range, no
// colours, other types, no INI text at all): the main window starts with its
// defaults, and closing it writes sound values back.
#include "app/AppContext.h"
#include "platform/linux/QtSettingsStore.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using testing_support::ScriptedSeams;
using testing_support::TestPlatform;

class TestGarbageSettings : public QObject {
    Q_OBJECT

private slots:
    void mainWindowStartsWithDefaults_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("not numbers") << QByteArray("[Settings]\nMainWindowSize=big\n"
                                                   "PanelNorm=#ff0000\nPanelFont=white\n"
                                                   "FontFocus=\n");
        QTest::newRow("out of range") << QByteArray("[Settings]\nMainWindowSize=7\n"
                                                    "PanelNorm=99999999999\n"
                                                    "PanelFont=-2147483649\n"
                                                    "FontFocus=2147483648\n");
        // 0x7F000000, system colour index 255, 0xFFFFFFFF.
        QTest::newRow("no colours") << QByteArray("[Settings]\nMainWindowSize=-1\n"
                                                  "PanelNorm=2130706432\n"
                                                  "PanelFont=-2147483393\nFontFocus=-1\n");
        QTest::newRow("other types") << QByteArray("[Settings]\nMainWindowSize=1, 2\n"
                                                   "PanelNorm=@ByteArray(\\0\\x1)\n"
                                                   "PanelFont=@Rect(1 2 3 4)\n"
                                                   "FontFocus=@Variant(\\0\\0\\0\\x7f)\n");
        static const char binary[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR[Settings\n=";
        QTest::newRow("no ini text") << QByteArray(binary, sizeof binary - 1);
    }

    void mainWindowStartsWithDefaults()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir config;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        QVERIFY(QDir(config.path()).mkpath("Varnel"));
        QFile conf(config.filePath("Varnel/NT.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write(file);
        conf.close();

        TestPlatform platform;
        ScriptedSeams seams;
        platform::QtSettingsStore store;
        platform::Families families = platform::current();
        families.settings = &store;
        platform::install(families);
        {
            frmVarnel window;
            QCOMPARE(window.windowState(), Qt::WindowMaximized);
            QCOMPARE(appContext().PanelColor, OleColor(8421504));
            QCOMPARE(appContext().PanelTextColor, OleColor(16777215));
            QCOMPARE(appContext().FocusColor, OleColor(255));
            QVERIFY(window.menuItem("MENUOPT_Default")->isChecked());
            QVERIFY(window.close());
        }
        QCOMPARE(store.value("Settings", "PanelNorm", {}), "8421504");
        QCOMPARE(store.value("Settings", "FontFocus", {}), "255");
    }
};

QTEST_MAIN(TestGarbageSettings)
#include "test_garbage_settings.moc"
