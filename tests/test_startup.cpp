// Start-up: the choice between the account listing and the windowed program,
// and the operating-system check.
#include "app/AppContext.h"
#include "app/OsVersion.h"
#include "app/Startup.h"
#include "support/ScriptedSeams.h"
#include "support/TestPlatform.h"

#include <QTest>

using namespace testing_support;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void accountListOptionsRunTheListingAndNothingElse();
    void twoOfTheThreeKeysStartTheWindowedProgram();
    void windowedStartShowsTheWindowThenPumpsEvents();
    void osLabels_data();
    void osLabels();
    void failedVersionQueryGivesWin32AndAllOnes();
    void warningOnlyOutsideTheNtFamily_data();
    void warningOnlyOutsideTheNtFamily();
};

namespace {

struct Recorder {
    int listings = 0;
    int windows = 0;
    AccountListRequest request;
    StartupHooks hooks()
    {
        return {[this](const AccountListRequest &r) {
                    ++listings;
                    request = r;
                    return 7;
                },
                [this] { ++windows; }};
    }
};

} // namespace

void StartupTest::accountListOptionsRunTheListingAndNothingElse()
{
    TestPlatform platform;
    ScriptedSeams seams;
    platform.system.version.platformId = 1; // would warn if the check ran
    Recorder recorder;
    const auto exitCode = Main("/domain=SALES /type=0 /criteria=J*", recorder.hooks());
    QCOMPARE(exitCode, std::optional<int>(7));
    QCOMPARE(recorder.listings, 1);
    QCOMPARE(recorder.windows, 0);
    QCOMPARE(recorder.request.domain, "SALES");
    QCOMPARE(recorder.request.criteria, "J");
    QVERIFY(recorder.request.wildcard);
    QVERIFY(seams.messageBox.shown.isEmpty());
}

void StartupTest::twoOfTheThreeKeysStartTheWindowedProgram()
{
    TestPlatform platform;
    ScriptedSeams seams;
    Recorder recorder;
    QCOMPARE(Main("/DOMAIN=SALES /TYPE=0", recorder.hooks()), std::nullopt);
    QCOMPARE(recorder.listings, 0);
    QCOMPARE(recorder.windows, 1);
}

void StartupTest::windowedStartShowsTheWindowThenPumpsEvents()
{
    TestPlatform platform;
    ScriptedSeams seams;
    int pumpsWhenShown = -1;
    StartupHooks hooks{[](const AccountListRequest &) { return 0; },
                       [&] { pumpsWhenShown = seams.eventPump.passes; }};
    Main("/NOLOG", hooks);
    QCOMPARE(pumpsWhenShown, 0);
    QCOMPARE(seams.eventPump.passes, 1);
    QCOMPARE(appContext().CommandLine, "/NOLOG");
    QCOMPARE(appContext().OsVersion.major, 5);
}

void StartupTest::osLabels_data()
{
    QTest::addColumn<int>("platformId");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("label");
    QTest::newRow("Windows 2000") << 2 << 5 << 0 << "2000";
    QTest::newRow("XP") << 2 << 5 << 1 << "XP";
    QTest::newRow("Server 2003") << 2 << 5 << 2 << "NT";
    QTest::newRow("NT 4.0") << 2 << 4 << 0 << "NT";
    QTest::newRow("Linux kernel 6.1") << 2 << 6 << 1 << "NT";
    QTest::newRow("95") << 1 << 4 << 0 << "95";
    QTest::newRow("98") << 1 << 4 << 10 << "98";
    QTest::newRow("ME") << 1 << 4 << 90 << "ME";
    QTest::newRow("other 9x") << 1 << 4 << 3 << "WIN9X";
    QTest::newRow("Win32s") << 0 << 3 << 1 << "WIN32";
}

void StartupTest::osLabels()
{
    TestPlatform platform;
    QFETCH(int, platformId);
    QFETCH(int, major);
    QFETCH(int, minor);
    platform.system.version = {148, major, minor, 1381, platformId, QString()};
    QTEST(Get_OSVersion(), "label");
    QCOMPARE(appContext().OsVersion.platformId, platformId);
}

void StartupTest::failedVersionQueryGivesWin32AndAllOnes()
{
    TestPlatform platform;
    platform.system.versionQuerySucceeds = false;
    QCOMPARE(Get_OSVersion(), "WIN32");
    const auto &version = appContext().OsVersion;
    QCOMPARE(version.size, 148);
    QCOMPARE(version.platformId, -1);
    QCOMPARE(version.major, -1);
    QCOMPARE(version.servicePack, QString(128, u' '));
}

void StartupTest::warningOnlyOutsideTheNtFamily_data()
{
    QTest::addColumn<int>("platformId");
    QTest::addColumn<bool>("querySucceeds");
    QTest::addColumn<int>("warnings");
    QTest::newRow("Windows 2000: none") << 2 << true << 0;
    QTest::newRow("9x: once") << 1 << true << 1;
    QTest::newRow("failed query: once") << 2 << false << 1;
}

void StartupTest::warningOnlyOutsideTheNtFamily()
{
    TestPlatform platform;
    ScriptedSeams seams;
    QFETCH(int, platformId);
    QFETCH(bool, querySucceeds);
    platform.system.version.platformId = platformId;
    platform.system.versionQuerySucceeds = querySucceeds;
    Recorder recorder;
    Main(QString(), recorder.hooks());
    QFETCH(int, warnings);
    QCOMPARE(seams.messageBox.shown.size(), warnings);
    if (warnings) {
        const ShownBox &box = seams.messageBox.shown.first();
        QCOMPARE(box.title, "Varnel : WARNING OS");
        QCOMPARE(box.text, "WARNING: This utility is designed for Windows NT.\n\nYou may experience "
                           "problems running under any other operating system.");
        QCOMPARE(box.icon, seams::Exclamation);
        QCOMPARE(box.buttons, seams::OkOnly);
    }
    QCOMPARE(recorder.windows, 1); // the program goes on
}

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"
