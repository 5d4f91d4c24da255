// Where the program keeps its files: in its build tree beside itself, when
// installed under the prefix it was installed to and in the per-user data
// folder, never beside its executable.
#include "app/ProgramFolder.h"
#include "platform/InstallLayout.h"
#include "platform/linux/LinuxSystemInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class InstallLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void buildTreeIsTheFolderHoldingCMakeCache_data();
    void buildTreeIsTheFolderHoldingCMakeCache();
    void installedFoldersLieUnderTheExecutablesPrefix_data();
    void installedFoldersLieUnderTheExecutablesPrefix();
    void programOutsideTheTopOfABuildTreeWritesToTheDataFolder();
    void installedProgramKeepsItsOwnFolderAndLooksForHelpersInLib();
};

void InstallLayoutTest::buildTreeIsTheFolderHoldingCMakeCache_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("buildTree");
    QTest::newRow("cache file") << "file:CMakeCache.txt" << true;
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("cache in a subfolder") << "file:tests/CMakeCache.txt" << false;
    QTest::newRow("folder of that name") << "folder:CMakeCache.txt" << false;
}

void InstallLayoutTest::buildTreeIsTheFolderHoldingCMakeCache()
{
    QFETCH(QString, entry);
    QFETCH(bool, buildTree);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(entry.section(u':', 1));
    if (entry.startsWith("folder:"))
        QVERIFY(QDir().mkpath(path));
    if (entry.startsWith("file:")) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(platform::IsBuildTree(dir.path()), buildTree);
}

void InstallLayoutTest::installedFoldersLieUnderTheExecutablesPrefix_data()
{
    QTest::addColumn<QString>("bin");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("helpers");
    QTest::newRow("package") << "/usr/bin" << "/usr/share/varnel" << "/usr/lib/varnel";
    QTest::newRow("local") << "/usr/local/bin" << "/usr/local/share/varnel"
                           << "/usr/local/lib/varnel";
    QTest::newRow("trailing slash") << "/opt/v/bin/" << "/opt/v/share/varnel"
                                    << "/opt/v/lib/varnel";
}

void InstallLayoutTest::installedFoldersLieUnderTheExecutablesPrefix()
{
    QFETCH(QString, bin);
    QFETCH(QString, data);
    QFETCH(QString, helpers);
    QCOMPARE(platform::InstalledDataFolder(bin), data);
    QCOMPARE(platform::InstalledHelperFolder(bin), helpers);
}

// This test's executable stands in a writable folder of the build tree, but
// not at its top: it is placed like an installed program run as root.
void InstallLayoutTest::programOutsideTheTopOfABuildTreeWritesToTheDataFolder()
{
    QVERIFY(!platform::IsBuildTree(platform::LinuxSystemInfo::executableFolder()));
    QTemporaryDir data;
    QVERIFY(data.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    platform::LinuxSystemInfo system;
    QCOMPARE(system.writableFolder(), data.filePath("varnel"));
    QVERIFY(QFileInfo(data.filePath("varnel")).isDir());
}

// Copies of the program (the proxy logon's) are still started from bin/, while
// companion programs are looked for in lib/varnel beside it.
void InstallLayoutTest::installedProgramKeepsItsOwnFolderAndLooksForHelpersInLib()
{
    const QString bin = QCoreApplication::applicationDirPath();
    QCOMPARE(ProgramFolder(), bin);
    QCOMPARE(HelperFolder(), QDir::cleanPath(bin + "/../lib/varnel"));
    SetProgramFolder(QStringLiteral("/planted"));
    QCOMPARE(HelperFolder(), QStringLiteral("/planted"));
    SetProgramFolder(QString());
}

QTEST_GUILESS_MAIN(InstallLayoutTest)
#include "test_install_layout.moc"
