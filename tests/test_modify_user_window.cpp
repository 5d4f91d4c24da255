// The view/modify-user window: the account list as a cache, the editable and
// the read-only panels, the groups of other domains, the last-logon search
// over the controllers, and the three changes (rename, password, apply).
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/Seams.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "tests/support/DirectoryTestBed.h"
#include "ui/PictureBox.h"
#include "users/AccountPaths.h"
#include "users/LastLogonSearch.h"
#include "users/ModifyUserWindow.h"
#include "users/UserViewTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using testing_support::DirectoryTestBed;
using testing_support::ScriptedSeams;
using testing_support::TestPlatform;
namespace status = platform::status;
namespace uf = platform::uf;

namespace {

constexpr OleColor Red = 255;
constexpr OleColor Green = 32768;
constexpr int64_t Day = 86400;

QString logText()
{
    QFile file(LogFilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList logLines()
{
    QStringList lines = logText().split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}

// The fields of a log line after the time stamp and the operator.
QStringList logFields(const QString &line) { return line.split(QStringLiteral(", ")).mid(2); }

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void typeAccount(frmNTModUser &window, const QString &domain, const QString &name)
{
    window.COMBO_Domain->setEditText(domain);
    window.TEXT_ID->setText(name);
}

// The window's account read into the editable panel.
void openEditable(frmNTModUser &window, const QString &domain, const QString &name)
{
    typeAccount(window, domain, name);
    window.BUTTON_PropertiesSet->click();
}

// The embedded directory with its standard network, on the seams' clock.
struct EmbeddedBed {
    TestPlatform platform;
    ScriptedSeams scripted;
    QTemporaryDir dir;
    platform::embedded::EmbeddedNetworkManagement net{
        dir.filePath("directory.sqlite").toStdString(), [] { return seams::now(); }};
    platform::embedded::EmbeddedFixture fixture{net};

    EmbeddedBed()
    {
        platform::Families families = platform::current();
        families.net = &net;
        platform::install(families);
    }
    // Seconds since 1970 of the clock's moment less `secondsAgo`, as the
    // directory stores times.
    uint32_t ago(int64_t secondsAgo) const
    {
        const QDateTime now = scripted.clock.time;
        return uint32_t(QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch()
                        - secondsAgo);
    }
    // The same on the real time line, for times the directory counts from.
    uint32_t agoOnTheClock(int64_t secondsAgo) const
    {
        return uint32_t(scripted.clock.time.toSecsSinceEpoch() - secondsAgo);
    }
    QString daysAgo(int days) const
    {
        return QLocale().toString(scripted.clock.time.date().addDays(-days), QLocale::ShortFormat);
    }
};

} // namespace

class TestModifyUserWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { frmNTModUser::setTerminalServerDialog({}); }

    // --- The read-only values as text ------------------------------------------

    void passwordAge_data()
    {
        QTest::addColumn<qlonglong>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("3.5 days: half to the even 4") << qlonglong(3 * Day + Day / 2) << "4 days";
        QTest::newRow("2.5 days: half to the even 2") << qlonglong(2 * Day + Day / 2) << "2 days";
        QTest::newRow("just under half") << qlonglong(Day / 2 - 1) << "0 days";
        QTest::newRow("just over half") << qlonglong(Day / 2 + 1) << "1 days";
        QTest::newRow("none") << qlonglong(0) << "0 days";
        QTest::newRow("a year") << qlonglong(365 * Day) << "365 days";
    }
    void passwordAge()
    {
        QFETCH(qlonglong, seconds);
        QFETCH(QString, text);
        QCOMPARE(Password_AgeText(seconds), text);
    }

    void userRights_data()
    {
        QTest::addColumn<QString>("privilege");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("text");
        QTest::newRow("account and server operator") << "USER" << 12 << "USER, AO, SO";
        QTest::newRow("print operator") << "ADMIN" << 1 << "ADMIN, PRINT";
        QTest::newRow("communication operator not shown") << "USER" << 2 << "USER";
        QTest::newRow("all") << "GUEST" << 15 << "GUEST, AO, SO, PRINT";
        QTest::newRow("none") << "USER" << 0 << "USER";
    }
    void userRights()
    {
        QFETCH(QString, privilege);
        QFETCH(int, flags);
        QFETCH(QString, text);
        QCOMPARE(User_RightsText(privilege, flags), text);
    }

    void logonServerAnyIsNamed()
    {
        QCOMPARE(Logon_ServerText("\\\\*"), QStringLiteral("Any"));
        QCOMPARE(Logon_ServerText("\\\\DC1"), QStringLiteral("\\\\DC1"));
        QCOMPARE(Logon_ServerText("*"), QStringLiteral("*"));
    }

    void homeDirArgument_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("argument");
        QTest::newRow("drive") << "\\\\fs\\home\\jdoe" << "H:" << "[H]\\\\fs\\home\\jdoe";
        QTest::newRow("no drive") << "\\\\fs\\home\\jdoe" << "" << "\\\\fs\\home\\jdoe";
        QTest::newRow("nothing") << "" << "" << "";
        QTest::newRow("drive alone") << "" << "Z:" << "[Z]";
    }
    void homeDirArgument()
    {
        QFETCH(QString, directory);
        QFETCH(QString, drive);
        QFETCH(QString, argument);
        QCOMPARE(Home_DirArgument(directory, drive), argument);
    }

    void laterLogon_data()
    {
        QTest::addColumn<QDate>("found");
        QTest::addColumn<QDate>("candidate");
        QTest::addColumn<bool>("replaces");
        const QDate day(2026, 3, 10);
        QTest::newRow("same day") << day << day << false;
        QTest::newRow("a day later") << day << day.addDays(1) << true;
        QTest::newRow("earlier") << day << day.addDays(-4) << false;
        QTest::newRow("nothing found yet") << QDate() << day << true;
        QTest::newRow("candidate unreadable") << day << QDate() << false;
    }
    void laterLogon()
    {
        QFETCH(QDate, found);
        QFETCH(QDate, candidate);
        QFETCH(bool, replaces);
        QCOMPARE(Is_LaterLogon({found, "\\\\PDC"}, candidate), replaces);
    }

    // --- The account list ---------------------------------------------------------

    void listIsReadOnceUntilRefreshed()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        bed.net.addUser("asmith");
        frmNTModUser window;
        typeAccount(window, "SALES", "");
        window.BUTTON_List->click();
        const int reads = bed.net.count("NetQueryDisplayInformation");
        QVERIFY(reads > 0);
        QCOMPARE(entries(window.LIST_Items), (QStringList{"jdoe", "asmith"}));
        QVERIFY(window.PICTURE_List->isVisibleTo(&window));
        window.BUTTON_List->click();
        QCOMPARE(bed.net.count("NetQueryDisplayInformation"), reads);
        QCOMPARE(window.LABEL_Items->text(), QStringLiteral("Items : 2"));
        window.BUTTON_RefreshList->click();
        QVERIFY(bed.net.count("NetQueryDisplayInformation") > reads);
        QCOMPARE(entries(window.LIST_Items), (QStringList{"jdoe", "asmith"}));
    }

    void pickingAnEntryNamesTheAccount()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        bed.net.addUser("asmith").fullName = "Anna Smith";
        frmNTModUser window;
        typeAccount(window, "SALES", "");
        window.BUTTON_List->click();
        window.LIST_Items->setCurrentRow(1);
        QCOMPARE(window.TEXT_ID->text(), QStringLiteral("asmith"));
        emit window.LIST_Items->itemDoubleClicked(window.LIST_Items->item(1));
        QVERIFY(window.PICTURE_PropertiesSet->isVisibleTo(&window));
        QVERIFY(!window.PICTURE_List->isVisibleTo(&window));
        QCOMPARE(window.TEXT_UserFullName->text(), QStringLiteral("Anna Smith"));
    }

    void domainChangeClearsListAndProperties()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe").fullName = "Jane Doe";
        frmNTModUser window;
        typeAccount(window, "SALES", "");
        window.BUTTON_List->click();
        openEditable(window, "SALES", "jdoe");
        QVERIFY(window.BUTTON_Apply->isEnabled());
        window.COMBO_Domain->setEditText("ENG");
        QCOMPARE(window.LIST_Items->count(), 0);
        QCOMPARE(window.LABEL_Items->text(), QStringLiteral("Items : 0"));
        QVERIFY(window.TEXT_UserFullName->text().isEmpty());
        QVERIFY(!window.BUTTON_Apply->isEnabled());
        QVERIFY(!window.BUTTON_Rename->isEnabled());
        QVERIFY(!window.BUTTON_Password->isEnabled());
    }

    void readButtonsFollowTheNameField()
    {
        DirectoryTestBed bed;
        frmNTModUser window;
        window.TEXT_ID->setText("   ");
        QVERIFY(!window.BUTTON_PropertiesSet->isEnabled());
        QVERIFY(!window.BUTTON_PropertiesView->isEnabled());
        window.TEXT_ID->setText("jdoe");
        QVERIFY(window.BUTTON_PropertiesSet->isEnabled());
        QVERIFY(window.BUTTON_PropertiesView->isEnabled());
    }

    // --- The editable panel ----------------------------------------------------------

    void editableShowsTheAccount()
    {
        DirectoryTestBed bed;
        platform::UserInfo3 &user = bed.net.addUser("jdoe");
        user.fullName = "Jane Doe";
        user.comment = "Head of accounting";
        user.usrComment = "Back in May";
        user.scriptPath = "logon.cmd";
        user.passwordExpired = 1;
        user.flags |= uf::DontExpirePasswd | uf::AccountDisable;
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        QCOMPARE(window.TEXT_UserFullName->text(), QStringLiteral("Jane Doe"));
        QCOMPARE(window.TEXT_UserDescription->text(), QStringLiteral("Head of accounting"));
        QCOMPARE(window.TEXT_UserComment->text(), QStringLiteral("Back in May"));
        QCOMPARE(window.TEXT_UserLogonScript->text(), QStringLiteral("logon.cmd"));
        QVERIFY(window.CHECK_UserPasswordExpired->isChecked());
        QVERIFY(!window.CHECK_UserPasswordNoChange->isChecked());
        QVERIFY(window.CHECK_UserPasswordNoExpire->isChecked());
        QVERIFY(window.CHECK_UserAccountDisabled->isChecked());
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("NT View/Modify User Account. \n\n"
                                "User account found and properties displayed."));
        QVERIFY(logLines().isEmpty());
    }

    void lockOut_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("state");
        QTest::newRow("locked out: grey and enabled") << true << int(Qt::PartiallyChecked);
        QTest::newRow("not locked out: clear and disabled") << false << int(Qt::Unchecked);
    }
    void lockOut()
    {
        QFETCH(bool, locked);
        QFETCH(int, state);
        DirectoryTestBed bed;
        platform::UserInfo3 &user = bed.net.addUser("jdoe");
        if (locked)
            user.flags |= uf::Lockout;
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        QCOMPARE(int(window.CHECK_LockOut->checkState()), state);
        QCOMPARE(window.CHECK_LockOut->isEnabled(), locked);
    }

    void missingAccountHidesThePanelAndLogsNothing()
    {
        DirectoryTestBed bed;
        frmNTModUser window;
        openEditable(window, "SALES", "ghost");
        QVERIFY(!window.PICTURE_PropertiesSet->isVisibleTo(&window));
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QVERIFY(window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not get the user account properties.\n\n")));
        QVERIFY(!window.BUTTON_Apply->isEnabled());
        QVERIFY(logLines().isEmpty());
    }

    void unknownDomainSaysSo()
    {
        DirectoryTestBed bed;
        frmNTModUser window;
        openEditable(window, "NOWHERE", "jdoe");
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Network connection error.\n\nThe domain specified does not "
                                "exist, or the domain controllers are down."));
        QCOMPARE(bed.net.count("NetUserGetInfo"), 0);
    }

    // --- The read-only panel -----------------------------------------------------------

    void readOnlyShowsAgeRightsAndLogonServer()
    {
        DirectoryTestBed bed;
        platform::UserInfo3 &user = bed.net.addUser("jdoe");
        user.passwordAge = uint32_t(3 * Day + Day / 2);
        user.authFlags = 12;
        user.logonServer = "\\\\*";
        frmNTModUser window;
        typeAccount(window, "SALES", "jdoe");
        window.BUTTON_PropertiesView->click();
        QVERIFY(window.PICTURE_PropertiesView->isVisibleTo(&window));
        QCOMPARE(window.LABEL_Misc[0]->text(), QStringLiteral("Never"));
        QCOMPARE(window.LABEL_Misc[1]->text(), QStringLiteral("4 days"));
        QCOMPARE(window.LABEL_Misc[2]->text(), QStringLiteral("USER, AO, SO"));
        QCOMPARE(window.LABEL_Misc[3]->text(), QStringLiteral("Any"));
        QVERIFY(window.BUTTON_GetLL->isEnabled());
    }

    void groupsOfTheServerAndOfTheOtherDomains()
    {
        DirectoryTestBed bed;
        // Domains listed: ENG, HR, SALES (the workstation's), \\My Computer.
        bed.net.trustBuffer = std::string("ENG\0HR\0\0", 8);
        bed.net.controllers["ENG"] = "\\\\ENGDC";
        bed.net.controllers["HR"] = "\\\\HRDC";
        bed.net.addUser("jdoe");
        bed.net.addGlobalGroup("Accounting", {"jdoe"});
        bed.net.addLocalGroup("Printers", {"jdoe"});
        bed.net.addLocalGroup("HR Readers", {"SALES\\jdoe"});
        frmNTModUser window;
        typeAccount(window, "SALES", "jdoe");
        window.BUTTON_PropertiesView->click();
        // Every other domain is asked, the first of the list (ENG) included;
        // the double answers each controller alike.
        QCOMPARE(entries(window.LIST_Groups),
                 (QStringList{"GLOBAL: Accounting", "LOCAL: SALES\\Printers",
                              "LOCAL: ENG\\HR Readers", "LOCAL: HR\\HR Readers"}));
    }

    void myComputerQualifiesLocalGroupsWithTheMachine()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        bed.net.addLocalGroup("Printers", {"jdoe"});
        frmNTModUser window;
        typeAccount(window, MyComputer, "jdoe");
        const int lookups = bed.net.count("NetGetDCName");
        window.BUTTON_PropertiesView->click();
        QCOMPARE(entries(window.LIST_Groups), QStringList{"LOCAL: \\\\WS-TEST\\Printers"});
        QCOMPARE(bed.net.count("NetGetDCName"), lookups);
        QVERIFY(!window.BUTTON_WTS->isEnabled());
    }

    void terminalServerButton()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        {
            frmNTModUser window;
            window.TEXT_ID->setText("jdoe");
            window.COMBO_Domain->setEditText("SALES");
            QVERIFY(!window.BUTTON_WTS->isEnabled());
        }
        QString shownServer, shownUser;
        frmNTModUser::setTerminalServerDialog(
            [&](QWidget *, const QString &server, const QString &user) {
                shownServer = server;
                shownUser = user;
            });
        frmNTModUser window;
        window.TEXT_ID->setText("jdoe");
        window.COMBO_Domain->setEditText("SALES");
        QVERIFY(window.BUTTON_WTS->isEnabled());
        window.BUTTON_WTS->click();
        QCOMPARE(shownServer, QStringLiteral("\\\\DC1"));
        QCOMPARE(shownUser, QStringLiteral("jdoe"));
        window.COMBO_Domain->setEditText(MyComputer);
        QVERIFY(!window.BUTTON_WTS->isEnabled());
    }

    // --- The last logon, on the embedded directory's controllers -------------------

    void laterLogonOnTheSameDayAtABackupDoesNotReplaceTheFirst()
    {
        EmbeddedBed bed;
        // Both fall on the day two days back; the backup's is 20 hours later.
        QCOMPARE(bed.fixture.setLastLogon("HQDC01", "jsmith", bed.ago(3 * Day - 3600)),
                 status::Success);
        QCOMPARE(bed.fixture.setLastLogon("HQDC02", "jsmith", bed.ago(2 * Day + 3600)),
                 status::Success);
        QCOMPARE(bed.fixture.setLogonServer("HEADOFFICE", "jsmith", "\\\\*"), status::Success);
        frmNTModUser window;
        typeAccount(window, "HEADOFFICE", "jsmith");
        window.BUTTON_PropertiesView->click();
        QCOMPARE(window.LABEL_Misc[3]->text(), QStringLiteral("Any"));
        window.BUTTON_GetLL->click();
        QCOMPARE(window.LABEL_Misc[4]->text(), bed.daysAgo(2) + QStringLiteral(", \\\\HQDC01"));
    }

    void latestDayAmongTheBackupsWins()
    {
        EmbeddedBed bed;
        QCOMPARE(bed.fixture.setLastLogon("HQDC01", "jsmith", bed.ago(9 * Day)), status::Success);
        QCOMPARE(bed.fixture.setLastLogon("HQDC02", "jsmith", bed.ago(5 * Day)), status::Success);
        QCOMPARE(bed.fixture.setLastLogon("HQDC03", "jsmith", bed.ago(1 * Day + 60)),
                 status::Success);
        frmNTModUser window;
        typeAccount(window, "HEADOFFICE", "jsmith");
        window.BUTTON_PropertiesView->click();
        window.BUTTON_GetLL->click();
        QCOMPARE(window.LABEL_Misc[4]->text(), bed.daysAgo(1) + QStringLiteral(", \\\\HQDC03"));
    }

    void boundLogonServerIsTheOnlyOneAsked()
    {
        EmbeddedBed bed;
        QCOMPARE(bed.fixture.setLastLogon("HQDC02", "jsmith", bed.ago(6 * Day)), status::Success);
        QCOMPARE(bed.fixture.setLastLogon("HQDC03", "jsmith", bed.ago(1 * Day)), status::Success);
        QCOMPARE(bed.fixture.setLogonServer("HEADOFFICE", "jsmith", "\\\\HQDC02"),
                 status::Success);
        frmNTModUser window;
        typeAccount(window, "HEADOFFICE", "jsmith");
        window.BUTTON_PropertiesView->click();
        window.BUTTON_GetLL->click();
        QCOMPARE(window.LABEL_Misc[4]->text(), bed.daysAgo(6) + QStringLiteral(", \\\\HQDC02"));
    }

    void passwordAgeAndRightsFromTheDirectory()
    {
        EmbeddedBed bed;
        QCOMPARE(bed.fixture.setPasswordSetTime("HEADOFFICE", "jsmith",
                                                  bed.agoOnTheClock(3 * Day + Day / 2)),
                 status::Success);
        QCOMPARE(bed.fixture.setAuthFlags("HEADOFFICE", "jsmith", 12), status::Success);
        frmNTModUser window;
        typeAccount(window, "HEADOFFICE", "jsmith");
        window.BUTTON_PropertiesView->click();
        QCOMPARE(window.LABEL_Misc[1]->text(), QStringLiteral("4 days"));
        QCOMPARE(window.LABEL_Misc[2]->text(), QStringLiteral("USER, AO, SO"));
        QVERIFY(entries(window.LIST_Groups).contains("GLOBAL: Accounting"));
        QVERIFY(entries(window.LIST_Groups).contains("LOCAL: HEADOFFICE\\Remote Access"));
    }

    // --- Rename ----------------------------------------------------------------------

    void renameToNothingNewDoesNothing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("the same name") << "jdoe";
        QTest::newRow("the same name with blanks") << " jdoe ";
    }
    void renameToNothingNewDoesNothing()
    {
        QFETCH(QString, answer);
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        const size_t calls = bed.net.calls.size();
        bed.seams.inputBox.answers.enqueue(answer);
        window.BUTTON_Rename->click();
        QCOMPARE(bed.net.calls.size(), calls);
        QCOMPARE(window.LABEL_Status->text(), QStringLiteral("NT View/Modify User Account."));
        QVERIFY(logLines().isEmpty());
    }

    void renameShowsTheAccountUnderItsNewName()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe").fullName = "Jane Doe";
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        bed.seams.inputBox.answers.enqueue("jdoe2");
        window.BUTTON_Rename->click();
        QVERIFY(bed.net.user("jdoe2"));
        QVERIFY(!bed.net.user("jdoe"));
        QCOMPARE(window.TEXT_ID->text(), QStringLiteral("jdoe2"));
        QVERIFY(window.PICTURE_PropertiesSet->isVisibleTo(&window));
        QCOMPARE(window.TEXT_UserFullName->text(), QStringLiteral("Jane Doe"));
        QCOMPARE(window.PICTURE_Status->backColor(), Green);
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("jdoe\nuser account has been successfully renamed to -\njdoe2"));
        QCOMPARE(logFields(logLines().value(0)),
                 (QStringList{"NT View/Modify User Account", "SALES\\jdoe", "True", "Rename", "",
                              "", "", ""}));
    }

    void renamePassesTrailingBlanksOn()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        bed.seams.inputBox.answers.enqueue("jdoe2  ");
        window.BUTTON_Rename->click();
        QVERIFY(bed.net.user("jdoe2  "));
    }

    void failedRenameKeepsTheWindowAndLogsTheWords()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe").fullName = "Jane Doe";
        bed.net.addUser("taken");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        bed.seams.inputBox.answers.enqueue("taken");
        window.BUTTON_Rename->click();
        QCOMPARE(window.TEXT_ID->text(), QStringLiteral("jdoe"));
        QCOMPARE(window.TEXT_UserFullName->text(), QStringLiteral("Jane Doe"));
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QVERIFY(window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not modify the user account.\n\n")));
        const QStringList fields = logFields(logLines().value(0));
        QCOMPARE(fields.mid(0, 4),
                 (QStringList{"NT View/Modify User Account", "SALES\\jdoe", "False", "Rename"}));
        QVERIFY(!fields.value(4).isEmpty());
    }

    // --- Password ----------------------------------------------------------------------

    void passwordResetShowsTheNewPasswordButNeverLogsIt()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe", "old");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        window.CHECK_UserPasswordExpired->setChecked(true);
        bed.seams.inputBox.answers.enqueue("Tr0ub4dor&3");
        window.BUTTON_Password->click();
        QCOMPARE(bed.net.passwordOf("jdoe"), std::string("Tr0ub4dor&3"));
        QVERIFY(bed.net.user("jdoe")->passwordExpired != 0);
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("jdoe\nuser account password has been successfully changed "
                                "to -\nTr0ub4dor&3"));
        QCOMPARE(logFields(logLines().value(0)),
                 (QStringList{"NT View/Modify User Account", "SALES\\jdoe", "True",
                              "Change Password", "", "", "", ""}));
        QVERIFY(!logText().contains("Tr0ub4dor"));
    }

    void failedPasswordResetLogsNoPasswordEither()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        bed.net.inject = [](const testing_support::FakeCall &call) {
            return call.function == "NetUserSetInfo" ? status::PasswordTooShort : status::Success;
        };
        bed.seams.inputBox.answers.enqueue("Hunter2pw");
        window.BUTTON_Password->click();
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QVERIFY(window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not change the password for user account.\n\n")));
        QCOMPARE(logFields(logLines().value(0)).mid(0, 4),
                 (QStringList{"NT View/Modify User Account", "SALES\\jdoe", "False",
                              "Change Password"}));
        QVERIFY(!logText().contains("Hunter2"));
    }

    void blankPasswordChangesNothing()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe", "old");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        bed.seams.inputBox.answers.enqueue("   ");
        window.BUTTON_Password->click();
        QCOMPARE(bed.net.count("NetUserSetInfo"), 0);
        QCOMPARE(bed.net.passwordOf("jdoe"), std::string("old"));
    }

    // --- Apply -------------------------------------------------------------------------

    void applyRefusesMustAndCannotChangeBeforeAnyDirectoryCall()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        window.CHECK_UserPasswordExpired->setChecked(true);
        window.CHECK_UserPasswordNoChange->setChecked(true);
        const size_t calls = bed.net.calls.size();
        window.BUTTON_Apply->click();
        QCOMPARE(bed.net.calls.size(), calls);
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Error, could not apply the user settings."));
        QCOMPARE(bed.seams.messageBox.shown.size(), 1);
        QCOMPARE(bed.seams.messageBox.shown[0].title,
                 QStringLiteral("Varnel : Invalid User Settings"));
        QCOMPARE(bed.seams.messageBox.shown[0].text,
                 QStringLiteral("You cannot check both 'Password Expired' and\n"
                                "'User Cannot Change Password' for the same user."));
        QVERIFY(logLines().isEmpty());
    }

    void applyWithNeverExpiresAsksFirst()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        window.CHECK_UserPasswordNoExpire->setChecked(true);
        bed.seams.messageBox.answers.enqueue(seams::No);
        window.BUTTON_Apply->click();
        QCOMPARE(bed.seams.messageBox.shown[0].title, QStringLiteral("Varnel : User Settings"));
        QCOMPARE(bed.seams.messageBox.shown[0].buttons, seams::YesNo);
        QCOMPARE(bed.net.count("NetUserSetInfo"), 0);
        QCOMPARE(window.LABEL_Status->text(), QStringLiteral("NT View/Modify User Account."));

        bed.seams.messageBox.answers.enqueue(seams::Yes);
        window.BUTTON_Apply->click();
        QVERIFY(bed.net.user("jdoe")->flags & uf::DontExpirePasswd);
    }

    void applyWritesTheFieldsAndKeepsThePaths()
    {
        DirectoryTestBed bed;
        platform::UserInfo3 &user = bed.net.addUser("jdoe");
        user.homeDir = "\\\\fs\\home\\jdoe";
        user.homeDirDrive = "H:";
        user.profile = "\\\\fs\\profiles\\jdoe";
        user.flags |= uf::Lockout;
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        window.TEXT_UserFullName->setText("  Jane Doe ");
        window.TEXT_UserDescription->setText("Accounts");
        window.TEXT_UserComment->setText("Desk 4");
        window.TEXT_UserLogonScript->setText("go.cmd");
        window.CHECK_UserAccountDisabled->setChecked(true);
        window.BUTTON_Apply->click();

        const platform::UserInfo3 *after = bed.net.user("jdoe");
        QCOMPARE(after->fullName, std::string("Jane Doe"));
        QCOMPARE(after->comment, std::string("Accounts"));
        QCOMPARE(after->usrComment, std::string("Desk 4"));
        QCOMPARE(after->scriptPath, std::string("go.cmd"));
        QCOMPARE(after->homeDir, std::string("\\\\fs\\home\\jdoe"));
        QCOMPARE(after->homeDirDrive, std::string("H:"));
        QCOMPARE(after->profile, std::string("\\\\fs\\profiles\\jdoe"));
        QVERIFY(after->flags & uf::AccountDisable);
        QVERIFY(!(after->flags & uf::Lockout));
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("jdoe\nuser account has been successfully modified."));
        QCOMPARE(logFields(logLines().value(0)),
                 (QStringList{"NT View/Modify User Account", "SALES\\jdoe", "True", "Jane Doe",
                              "Accounts", "Desk 4", "go.cmd", ""}));
    }

    // Read jdoe, then type asmith: the panel still shows jdoe's values, which
    // must not be written onto asmith, renamed or given a password.
    void editingTheNameAfterAReadDisablesTheChangesUntilTheNextRead()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe").fullName = "Jane Doe";
        bed.net.addUser("asmith").fullName = "Anna Smith";
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        const QList<QPushButton *> changes{window.BUTTON_Apply, window.BUTTON_Rename,
                                           window.BUTTON_Password};
        for (QPushButton *change : changes)
            QVERIFY(change->isEnabled());
        window.TEXT_ID->selectAll();
        QTest::keyClicks(window.TEXT_ID, QStringLiteral("asmith"));
        for (QPushButton *change : changes)
            QVERIFY2(!change->isEnabled(), qPrintable(change->objectName()));
        window.BUTTON_Apply->click();
        QCOMPARE(bed.net.user("asmith")->fullName, std::string("Anna Smith"));
        QCOMPARE(bed.net.count("NetUserSetInfo"), 0);

        window.BUTTON_PropertiesSet->click();
        QCOMPARE(window.TEXT_UserFullName->text(), QStringLiteral("Anna Smith"));
        for (QPushButton *change : changes)
            QVERIFY(change->isEnabled());
    }

    void failedApplyLogsTheWords()
    {
        DirectoryTestBed bed;
        bed.net.addUser("jdoe");
        frmNTModUser window;
        openEditable(window, "SALES", "jdoe");
        bed.net.inject = [](const testing_support::FakeCall &call) {
            return call.function == "NetUserSetInfo" ? status::AccessDenied : status::Success;
        };
        window.BUTTON_Apply->click();
        QVERIFY(window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not modify the user account.\n\n")));
        const QStringList fields = logFields(logLines().value(0));
        QCOMPARE(fields.mid(0, 3),
                 (QStringList{"NT View/Modify User Account", "SALES\\jdoe", "False"}));
        QVERIFY(!fields.value(3).isEmpty());
    }

    void settingsAreKeptOnlyAfterATask()
    {
        DirectoryTestBed bed;
        {
            frmNTModUser window;
            typeAccount(window, "SALES", "jdoe");
            window.close();
        }
        QCOMPARE(bed.platform.settings.value("Settings", "LastUserID", "unset"),
                 QStringLiteral("unset"));
        {
            frmNTModUser window;
            typeAccount(window, "SALES", "jdoe");
            window.BUTTON_PropertiesView->click();
            window.close();
        }
        frmNTModUser again;
        QCOMPARE(again.COMBO_Domain->currentText(), QStringLiteral("SALES"));
        QCOMPARE(again.TEXT_ID->text(), QStringLiteral("jdoe"));
    }
};

QTEST_MAIN(TestModifyUserWindow)
#include "test_modify_user_window.moc"
