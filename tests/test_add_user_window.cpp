// The add-user window, driven as an operator drives it, on the embedded
// directory in a private file. What the window did is checked through the
// directory itself, not only through its panel: accounts, their properties,
// passwords, group memberships, and the activity log.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "platform/NetworkManagement.h"
#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"
#include "ui/PictureBox.h"
#include "ui/GuiStartup.h"
#include "ui/MainWindow.h"
#include "users/AddUserWindow.h"
#include "users/UserWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <thread>

using testing_support::ScriptedSeams;
using testing_support::TestPlatform;

namespace {

const QString Title = QStringLiteral("NT Add User Account");
const QString Neutral = QStringLiteral("NT Add User Account.");
const std::string Domain = "HEADOFFICE";
const std::string Controller = "\\\\HQDC01";
const QString Password = QStringLiteral("Pw-9xQ#tulip");
constexpr OleColor Green = 32768;
constexpr OleColor Red = 255;

// Records what the outcome panel showed at the moment each box was asked.
class PanelWatchingBox : public testing_support::ScriptedMessageBox {
public:
    QLabel *panel = nullptr;
    QStringList panelTexts;
    seams::Answer show(const QString &text, seams::Buttons buttons, seams::Icon icon,
                       const QString &title) override
    {
        panelTexts << (panel ? panel->text() : QString());
        return ScriptedMessageBox::show(text, buttons, icon, title);
    }
};

// The embedded directory, with one server made to answer every account
// lookup (of computer accounts only, when asked) with a status of the test's.
class RefusingDirectory : public platform::embedded::EmbeddedNetworkManagement {
public:
    using EmbeddedNetworkManagement::EmbeddedNetworkManagement;
    std::string refusingServer;
    platform::NetStatus refusal = 0;
    bool computersOnly = false;

    platform::NetStatus NetUserGetInfo(const std::string &server, const std::string &name,
                                       uint32_t level, platform::UserInfo3 &info) override
    {
        const bool computer = !name.empty() && name.back() == '$';
        if (refusal != 0 && server == refusingServer && (computer || !computersOnly))
            return refusal;
        return EmbeddedNetworkManagement::NetUserGetInfo(server, name, level, info);
    }
};

// The platform doubles, the seams, and the embedded directory on a new file.
struct Bed {
    TestPlatform platform;
    ScriptedSeams seams;
    PanelWatchingBox boxes;
    std::unique_ptr<RefusingDirectory> net;
    std::unique_ptr<platform::embedded::EmbeddedFixture> fixture;

    Bed()
        : net(std::make_unique<RefusingDirectory>(
              platform.path(QStringLiteral("directory.sqlite")).toStdString()))
    {
        platform::Families families = platform::current();
        families.net = net.get();
        platform::install(families);
        seams::Set set = seams::current();
        set.messageBox = &boxes;
        seams::install(set);
        fixture = std::make_unique<platform::embedded::EmbeddedFixture>(*net);
    }

    bool ready() const { return net->isOpen(); }

    platform::NetStatus read(const QString &name, platform::UserInfo3 &info,
                             const std::string &server = Controller)
    {
        return net->NetUserGetInfo(server, name.toStdString(), 3, info);
    }
    bool exists(const QString &name, const std::string &server = Controller)
    {
        platform::UserInfo3 info;
        return read(name, info, server) == platform::status::Success;
    }
    bool addUser(const QString &name, const std::string &server = Controller)
    {
        platform::UserInfo3 info;
        info.name = name.toStdString();
        info.password = "Seed-Pw#1";
        return net->NetUserAdd(server, 1, info, nullptr) == platform::status::Success;
    }
    bool addComputer(const QString &name, const std::string &server = Controller)
    {
        platform::UserInfo3 info;
        info.name = name.toUpper().toStdString() + "$";
        info.password = name.toLower().toStdString();
        info.flags = platform::uf::WorkstationTrustAccount | platform::uf::Script;
        return net->NetUserAdd(server, 1, info, nullptr) == platform::status::Success;
    }
    // Every line of the activity log so far.
    QStringList logLines() const
    {
        QFile log(LogFilePath());
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

// The window with the person's names and the other fields filled in, for
// the head-office domain.
void fill(frmNTAddUserComputer &window, const QString &first, const QString &middle,
          const QString &last)
{
    window.COMBO_Domain->setEditText(QString::fromStdString(Domain));
    window.TEXT_UserFirstName->setText(first);
    window.TEXT_UserMiddleInitial->setText(middle);
    window.TEXT_UserLastName->setText(last);
    window.TEXT_UserLoginScript->setText(QStringLiteral("logon.cmd"));
    window.TEXT_EmpoyeeNumber->setText(QStringLiteral("E1234"));
    window.TEXT_Password->setText(Password);
}

// The domain and the person's names typed in, key by key, as an operator does.
void typeIn(frmNTAddUserComputer &window, const QString &first, const QString &last)
{
    QTest::keyClicks(window.COMBO_Domain, QString::fromStdString(Domain));
    QTest::keyClicks(window.TEXT_UserFirstName, first);
    QTest::keyClicks(window.TEXT_UserLastName, last);
    QTest::keyClicks(window.TEXT_Password, Password);
}

std::string controllerOf(platform::NetworkManagement &net, const QString &domain)
{
    std::string controller;
    net.NetGetDCName({}, domain.toStdString(), controller);
    return controller;
}

void tickComputer(frmNTAddUserComputer &window, const QString &computer)
{
    window.CHECK_Also->setChecked(true);
    window.TEXT_ComputerName->setText(computer);
}

bool showActive(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QString fieldNamed(const QWidget *widget) { return widget ? widget->objectName() : QString(); }

} // namespace

class TestAddUserWindow : public QObject {
    Q_OBJECT

private slots:
    // --- The menu -------------------------------------------------------------

    void theAddMenuOpensTheWindowOnce()
    {
        Bed bed;
        registerUserWindows();
        showMainWindow();
        std::unique_ptr<frmVarnel> main(mainWindow());
        QAction *item = main->menuItem(QStringLiteral("MENUOPT_AddUser"));
        QVERIFY(item->isEnabled());
        item->trigger();
        QMdiSubWindow *frame = main->taskWindow(QStringLiteral("MENUOPT_AddUser"));
        QVERIFY(frame);
        QVERIFY(qobject_cast<frmNTAddUserComputer *>(frame->widget()));
        QVERIFY(appContext().AddWindowOpen[0]);
        item->trigger();
        QCOMPARE(main->taskWindow(QStringLiteral("MENUOPT_AddUser")), frame);
        QVERIFY(frame->widget()->close());
        QVERIFY(!appContext().AddWindowOpen[0]);
    }

    // --- The account name from the person's names -----------------------------

    void typedNamesBuildTheUserName()
    {
        Bed bed;
        QVERIFY(bed.ready());
        frmNTAddUserComputer window;
        window.TEXT_UserName->setText(QStringLiteral("typed before"));
        QTest::keyClicks(window.TEXT_UserFirstName, QStringLiteral("ann"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("A"));
        QTest::keyClicks(window.TEXT_UserLastName, QStringLiteral("o'BRIEN"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("AO'brien"));
        // The middle initial takes no part.
        QTest::keyClicks(window.TEXT_UserMiddleInitial, QStringLiteral("x"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("AO'brien"));
    }

    void lastNameAloneStartsWithItsCapital()
    {
        Bed bed;
        frmNTAddUserComputer window;
        QTest::keyClicks(window.TEXT_UserLastName, QStringLiteral("smith"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("Smith"));
    }

    void leavingFieldsSetsTheirCase()
    {
        Bed bed;
        frmNTAddUserComputer window;
        QVERIFY(showActive(window));
        window.COMBO_Domain->setEditText(QStringLiteral("headoffice"));
        window.CHECK_Also->setChecked(true);
        const auto typeAndLeave = [&](QLineEdit *field, const QString &text) {
            field->setFocus();
            field->setText(text);
            window.TEXT_UserLoginScript->setFocus();
        };
        typeAndLeave(window.TEXT_UserFirstName, QStringLiteral("john"));
        typeAndLeave(window.TEXT_UserLastName, QStringLiteral("mcDONALD"));
        typeAndLeave(window.TEXT_UserMiddleInitial, QStringLiteral("q"));
        typeAndLeave(window.TEXT_EmpoyeeNumber, QStringLiteral("e12ab"));
        typeAndLeave(window.TEXT_ComputerDomain, QStringLiteral("\\\\\\sales"));
        typeAndLeave(window.TEXT_ComputerName, QStringLiteral("ws-john"));
        // Only the first letter of a name is capitalised; the rest stays.
        QCOMPARE(window.TEXT_UserFirstName->text(), QStringLiteral("John"));
        QCOMPARE(window.TEXT_UserLastName->text(), QStringLiteral("McDONALD"));
        QCOMPARE(window.TEXT_UserMiddleInitial->text(), QStringLiteral("Q"));
        QCOMPARE(window.TEXT_EmpoyeeNumber->text(), QStringLiteral("E12AB"));
        QCOMPARE(window.TEXT_ComputerDomain->text(), QStringLiteral("SALES"));
        QCOMPARE(window.TEXT_ComputerName->text(), QStringLiteral("WS-JOHN"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JMcdonald"));
        QCOMPARE(window.LABEL_Status->text(), QStringLiteral("NT Add User Account. \n\n"
                                                             "Input the NT login script for the "
                                                             "users workstation."));
    }

    void computerNameShowsItsHintAndComputerDomainTheNeutralText()
    {
        Bed bed;
        frmNTAddUserComputer window;
        QVERIFY(showActive(window));
        window.CHECK_Also->setChecked(true);
        window.TEXT_ComputerName->setFocus();
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("NT Add User Account. \n\nThe computer name must be unique "
                                "across all NT trusted domains."));
        window.TEXT_ComputerDomain->setFocus();
        QCOMPARE(window.LABEL_Status->text(), Neutral);
    }

    // --- The domain and the computer box ---------------------------------------

    void domainTextIsCopiedToTheComputerDomain()
    {
        Bed bed;
        frmNTAddUserComputer window;
        window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
        QCOMPARE(window.TEXT_ComputerDomain->text(), QStringLiteral("SALES"));
    }

    void aServerTargetClearsTheComputerBox()
    {
        Bed bed;
        frmNTAddUserComputer window;
        window.COMBO_Domain->setEditText(QStringLiteral("HEADOFFICE"));
        window.CHECK_Also->setChecked(true);
        QVERIFY(window.TEXT_ComputerName->isEnabled());
        window.COMBO_Domain->setEditText(QStringLiteral("\\\\SERVER1"));
        QVERIFY(!window.CHECK_Also->isChecked());
        QVERIFY(!window.TEXT_ComputerName->isEnabled());
        QVERIFY(!window.TEXT_ComputerDomain->isEnabled());
        QVERIFY(!window.LABEL_ComputerName->isEnabled());
        QCOMPARE(window.TEXT_ComputerDomain->text(), QStringLiteral("\\\\SERVER1"));
    }

    void myComputerRefusesTheComputerBox()
    {
        Bed bed;
        frmNTAddUserComputer window;
        window.COMBO_Domain->setCurrentIndex(window.COMBO_Domain->findText(MyComputer));
        QCOMPARE(window.COMBO_Domain->currentText(), MyComputer);
        window.CHECK_Also->click();
        QVERIFY(!window.CHECK_Also->isChecked());
        QVERIFY(!window.TEXT_ComputerName->isEnabled());
    }

    void computerFieldsFollowTheComputerBox()
    {
        Bed bed;
        frmNTAddUserComputer window;
        QVERIFY(!window.TEXT_ComputerName->isEnabled());
        window.COMBO_Domain->setEditText(QStringLiteral("HEADOFFICE"));
        window.CHECK_Also->click();
        QVERIFY(window.TEXT_ComputerName->isEnabled());
        QVERIFY(window.LABEL_ComputerDomain->isEnabled());
        window.CHECK_Also->click();
        QVERIFY(!window.TEXT_ComputerName->isEnabled());
    }

    // --- Check_Fields --------------------------------------------------------

    void badFieldsAreRefusedBeforeAnyDirectoryCall_data()
    {
        QTest::addColumn<bool>("also");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("titleSuffix");
        QTest::newRow("no domain")
            << false << "COMBO_Domain" << " "
            << "Please specify the NT domain for the user account." << " : Missing Domain";
        QTest::newRow("no first name")
            << false << "TEXT_UserFirstName" << "  "
            << "Please specify first name for the user account." << " : Missing First Name";
        QTest::newRow("no last name")
            << false << "TEXT_UserLastName" << ""
            << "Please specify last name for the user account." << " : Missing Last Name";
        QTest::newRow("no user name")
            << false << "TEXT_UserName" << " "
            << "Please specify the user name for the user account." << " : Missing User Name";
        QTest::newRow("no computer domain")
            << true << "TEXT_ComputerDomain" << ""
            << "Please specify the NT domain for the computer account." << " : Missing Domain";
        QTest::newRow("no computer name")
            << true << "TEXT_ComputerName" << ""
            << "Please specify a computer name for the computer account."
            << " : Missing Computer Name";
        QTest::newRow("blank inside the user name")
            << false << "TEXT_UserName" << "J Newman"
            << "The user name format is incorrect or contains illegal characters."
            << " : Incorrect User Name";
        QTest::newRow("full stop in the user name")
            << false << "TEXT_UserName" << "J.Newman"
            << "The user name format is incorrect or contains illegal characters."
            << " : Incorrect User Name";
        // The computer name is checked even without the computer box.
        QTest::newRow("colon in an unused computer name")
            << false << "TEXT_ComputerName" << "PC:1"
            << "The computer name format is incorrect or contains illegal characters."
            << " : Incorrect Computer Name";
    }
    void badFieldsAreRefusedBeforeAnyDirectoryCall()
    {
        QFETCH(bool, also);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(QString, titleSuffix);
        Bed bed;
        frmNTAddUserComputer window;
        QVERIFY(showActive(window));
        // Out of the domain list first: Qt takes leaving it with a listed name
        // for a choice from the list, which fills the computer's domain again.
        window.TEXT_UserLoginScript->setFocus();
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Newman"));
        if (also)
            tickComputer(window, QStringLiteral("WSNEWMAN"));
        if (field == QLatin1String("COMBO_Domain"))
            window.COMBO_Domain->setEditText(value);
        else
            window.findChild<QLineEdit *>(field)->setText(value);

        window.BUTTON_Add->click();

        QCOMPARE(bed.boxes.shown.size(), 1);
        QCOMPARE(bed.boxes.shown[0].text, message);
        QCOMPARE(bed.boxes.shown[0].title, AppTitle + titleSuffix);
        QCOMPARE(bed.boxes.shown[0].icon, seams::Exclamation);
        QCOMPARE(bed.boxes.shown[0].buttons, seams::OkOnly);
        QCOMPARE(bed.seams.beeper.beeps, 1);
        // The focus goes to the field, unless it is greyed (an unused computer
        // name), when it cannot take it.
        QWidget *target = window.findChild<QWidget *>(field);
        const QWidget *focused = QApplication::focusWidget();
        if (focused && focused->parentWidget() == window.COMBO_Domain)
            focused = window.COMBO_Domain;
        if (target->isEnabled())
            QCOMPARE(fieldNamed(focused), field);
        QVERIFY(!window.taskAttempted());
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
        QVERIFY(bed.logLines().isEmpty());
    }

    void typingAfterAnOutcomeShowsTheFieldsHint()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.COMBO_Domain->setEditText(QStringLiteral("NOWHERE"));
        window.BUTTON_Add->click();
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QTest::keyClicks(window.TEXT_UserLastName, QStringLiteral("s"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JNewmans"));
        QCOMPARE(window.PICTURE_Status->backColor(), appContext().PanelColor);
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("NT Add User Account. \n\nInput the users last name."));
        QVERIFY(window.LABEL_Stamp->text().isEmpty());
    }

    // --- Creating the account ---------------------------------------------------

    void freeNameIsCreatedWithoutAQuestion()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Newman"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JNewman"));
        QVERIFY(window.CHECK_Unique->isChecked());
        QVERIFY(window.CHECK_Expired->isChecked());

        window.BUTTON_Add->click();

        QVERIFY(bed.boxes.shown.isEmpty());
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("JNewman\nuser account has been successfully added to "
                                "HEADOFFICE."));
        QCOMPARE(window.PICTURE_Status->backColor(), Green);
        platform::UserInfo3 info;
        QCOMPARE(bed.read(QStringLiteral("JNewman"), info), platform::status::Success);
        QCOMPARE(info.fullName, std::string("Newman, John Q"));
        QCOMPARE(info.comment, std::string("E1234"));
        QCOMPARE(info.usrComment, std::string("E1234"));
        QCOMPARE(info.scriptPath, std::string("logon.cmd"));
        QVERIFY(info.passwordExpired != 0);
        QVERIFY(!(info.flags & platform::uf::AccountDisable));
        QVERIFY(bed.fixture->verifyPassword(Domain, "JNewman", Password.toStdString()));
        QVERIFY(window.taskAttempted());
    }

    // Another copy of the program in the middle of a change holds the file's
    // write lock: the add waits for it and succeeds, and no lock error reaches
    // the panel or the log.
    void anotherCopysWriteIsWaitedFor()
    {
        Bed bed;
        platform::embedded::Database other;
        std::string error;
        QVERIFY(other.open(bed.net->store().path(), error));
        QVERIFY(other.exec("BEGIN IMMEDIATE"));
        std::thread release([&other] {
            std::this_thread::sleep_for(std::chrono::milliseconds(800));
            other.exec("COMMIT");
        });
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Newman"));
        QElapsedTimer clock;
        clock.start();
        window.BUTTON_Add->click();
        const qint64 waited = clock.elapsed();
        release.join();

        QVERIFY2(waited >= 500, qPrintable(QString::number(waited)));
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("JNewman\nuser account has been successfully added to "
                                "HEADOFFICE."));
        QVERIFY(bed.exists(QStringLiteral("JNewman")));
        const QStringList lines = bed.logLines();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].split(QStringLiteral(", ")).value(4), QStringLiteral("True"));
    }

    void successIsLoggedWithTheTenFieldsAndNoPassword()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Newman"));
        window.BUTTON_Add->click();

        const QStringList lines = bed.logLines();
        QCOMPARE(lines.size(), 1);
        const QStringList fields = lines[0].split(QStringLiteral(", "));
        QCOMPARE(fields.size(), 10);
        QCOMPARE(fields.mid(2), QStringList({Title, "HEADOFFICE\\JNewman", "True",
                                             "User account", "logon.cmd", "E1234",
                                             frmNTAddUserComputer::PasswordMask, ""}));
        QVERIFY(!lines[0].contains(Password));
    }

    void uncheckedExpiryGivesACurrentPassword()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.CHECK_Expired->setChecked(false);
        window.BUTTON_Add->click();
        platform::UserInfo3 info;
        QCOMPARE(bed.read(QStringLiteral("JNewman"), info), platform::status::Success);
        QCOMPARE(info.passwordExpired, 0u);
        // With no middle initial the full name ends in a blank.
        QCOMPARE(info.fullName, std::string("Newman, John "));
    }

    void adminBoxJoinsTheLocalAdministrators()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.CHECK_Admin->setChecked(true);
        window.BUTTON_Add->click();
        QCOMPARE(window.PICTURE_Status->backColor(), Green);
        std::vector<platform::LocalGroupMembersInfo3> members;
        uint32_t read = 0, total = 0, resume = 0;
        QCOMPARE(bed.net->NetLocalGroupGetMembers(Controller, "Administrators", 3, members,
                                                  platform::MaxPreferredLength, read, total,
                                                  resume),
                 platform::status::Success);
        bool found = false;
        for (const auto &member : members)
            found = found || QString::fromStdString(member.domainAndName)
                                 .endsWith(QStringLiteral("\\JNewman"), Qt::CaseInsensitive);
        QVERIFY(found);
    }

    void failedCreationIsLoggedAsAFailure()
    {
        Bed bed;
        QVERIFY(bed.fixture->setPasswordPolicy(Domain, 30, false) == platform::status::Success);
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.BUTTON_Add->click();
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QVERIFY(window.LABEL_Status->text().startsWith(
            QStringLiteral("Error, could not add the user account : ")));
        QVERIFY(window.LABEL_Status->text().endsWith(
            QStringLiteral("\n\nNo accounts have been added.")));
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
        const QStringList lines = bed.logLines();
        QCOMPARE(lines.size(), 1);
        const QStringList fields = lines[0].split(QStringLiteral(", "));
        QCOMPARE(fields[3], QStringLiteral("HEADOFFICE\\JNewman"));
        QCOMPARE(fields[4], QStringLiteral("False"));
        QVERIFY(!lines[0].contains(Password));
    }

    void unknownDomainEndsTheRunUnlogged()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.COMBO_Domain->setEditText(QStringLiteral("NOWHERE"));
        window.BUTTON_Add->click();
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Network connection error.\n\nThe domain specified does not "
                                "exist, or the domain controllers are down."));
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QVERIFY(bed.logLines().isEmpty());
    }

    // --- The uniqueness search ---------------------------------------------------

    void takenNameLeadsToCountedCandidates()
    {
        Bed bed;
        frmNTAddUserComputer window;
        // Taken at the target, or in a later listed domain the search walks.
        for (const char *name : {"JSmithson", "JQSmiths", "JSmith01", "JSmith02",
                                    "JSmith03", "JSmith04", "JSmith06", "JSmith07",
                                    "JSmith08", "JSmith09"})
            QVERIFY(bed.addUser(QString::fromLatin1(name)));
        std::string laterController;
        QCOMPARE(bed.net->NetGetDCName({}, window.COMBO_Domain->itemText(1).toStdString(),
                                       laterController),
                 platform::status::Success);
        QVERIFY(laterController != Controller);
        QVERIFY(bed.addUser(QStringLiteral("JSmith05"), laterController));
        bed.boxes.panel = window.LABEL_Status;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Smithson"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JSmithson"));
        bed.boxes.answers << seams::Yes << seams::Yes;

        window.BUTTON_Add->click();

        QCOMPARE(bed.boxes.shown.size(), 2);
        QCOMPARE(bed.boxes.shown[0].text,
                 QStringLiteral("The account specified already exist.\n\nWould you like me to "
                                "automatically search for\na valid account name? (May take a "
                                "few minutes)"));
        QCOMPARE(bed.boxes.shown[0].title, AppTitle + QStringLiteral(" : Please Confirm"));
        QCOMPARE(bed.boxes.shown[0].buttons, seams::YesNo);
        // What was taken is shown in red before the question.
        QCOMPARE(bed.boxes.panelTexts[0],
                 QStringLiteral("Error, could not add the user account.  User account already "
                                "exist within the trusted NT domains."));
        QCOMPARE(bed.boxes.shown[1].text,
                 QStringLiteral("A valid account name has been determined : JSmith10\n\n"
                                "Do you wish to use this name and proceed?"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JSmith10"));
        QCOMPARE(window.TEXT_ComputerName->text(), QStringLiteral("JSMITH10"));
        QVERIFY(bed.exists(QStringLiteral("JSmith10")));
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("JSmith10\nuser account has been successfully added to "
                                "HEADOFFICE."));
    }

    void firstFreeCandidateIsOffered()
    {
        Bed bed;
        for (const char *name : {"JSmithson", "JQSmiths", "JSmith01"})
            QVERIFY(bed.addUser(QString::fromLatin1(name)));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Smithson"));
        bed.boxes.answers << seams::Yes << seams::Yes;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.shown.size(), 2);
        QVERIFY(bed.boxes.shown[1].text.contains(QStringLiteral(": JSmith02\n")));
        QVERIFY(bed.exists(QStringLiteral("JSmith02")));
    }

    void decliningTheSearchCreatesNothing()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("JSmithson")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Smithson"));
        bed.boxes.answers << seams::No;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.shown.size(), 1);
        QCOMPARE(window.LABEL_Status->text(), Neutral);
        QVERIFY(!window.IMAGE_Info->isHidden());
        QVERIFY(!bed.exists(QStringLiteral("JQSmiths")));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JSmithson"));
        QVERIFY(bed.logLines().isEmpty());
    }

    void decliningTheProposedNameCreatesNothing()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("JSmithson")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Smithson"));
        bed.boxes.answers << seams::Yes << seams::No;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.shown.size(), 2);
        QVERIFY(bed.boxes.shown[1].text.contains(QStringLiteral(": JQSmiths\n")));
        QCOMPARE(window.LABEL_Status->text(), Neutral);
        QVERIFY(!bed.exists(QStringLiteral("JQSmiths")));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JSmithson"));
    }

    void withoutTheUniqueBoxATakenNameFailsAtCreation()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("JSmithson")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Smithson"));
        window.CHECK_Unique->setChecked(false);
        window.BUTTON_Add->click();
        QVERIFY(bed.boxes.shown.isEmpty());
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Error, could not add the user account : The user account "
                                "already exists\n\nNo accounts have been added."));
    }

    void withTheComputerBoxACandidateNeedsBothNamesFree()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("JSmithson")));
        // The first candidate's user name is free, its computer name is not.
        QVERIFY(bed.addComputer(QStringLiteral("JQSMITHS")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QStringLiteral("Q"), QStringLiteral("Smithson"));
        tickComputer(window, QStringLiteral("WSNEW01"));
        bed.boxes.answers << seams::Yes << seams::Yes;

        window.BUTTON_Add->click();

        QCOMPARE(bed.boxes.shown.size(), 2);
        QVERIFY(bed.boxes.shown[1].text.contains(QStringLiteral(": JSmith01\n")));
        QCOMPARE(window.TEXT_ComputerName->text(), QStringLiteral("JSMITH01"));
        QVERIFY(bed.exists(QStringLiteral("JSmith01")));
        QVERIFY(!bed.exists(QStringLiteral("JQSmiths")));
        platform::UserInfo3 computer;
        QCOMPARE(bed.net->NetUserGetInfo(Controller, "JSMITH01$", 1, computer),
                 platform::status::Success);
        QVERIFY(computer.flags & platform::uf::WorkstationTrustAccount);
        QCOMPARE(computer.comment, std::string("HEADOFFICE\\JSmith01"));
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("JSmith01\nuser and computer accounts have been successfully "
                                "added to HEADOFFICE."));
        const QStringList fields = bed.logLines().value(0).split(QStringLiteral(", "));
        QCOMPARE(fields.mid(2), QStringList({Title, "HEADOFFICE\\JSmith01", "True",
                                             "User and Computer account", "logon.cmd", "E1234",
                                             frmNTAddUserComputer::PasswordMask,
                                             "HEADOFFICE\\JSMITH01"}));
    }

    void bothNamesTakenAreReportedTogether()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("JNewman")));
        QVERIFY(bed.addComputer(QStringLiteral("WSNEW01")));
        frmNTAddUserComputer window;
        bed.boxes.panel = window.LABEL_Status;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        tickComputer(window, QStringLiteral("WSNEW01"));
        bed.boxes.answers << seams::No;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.panelTexts.value(0),
                 QStringLiteral("Error, could not add the user and computer accounts.  Both "
                                "accounts already exist within the trusted NT domains."));
    }

    void takenComputerNameAloneIsReported()
    {
        Bed bed;
        QVERIFY(bed.addComputer(QStringLiteral("WSNEW01")));
        frmNTAddUserComputer window;
        bed.boxes.panel = window.LABEL_Status;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        tickComputer(window, QStringLiteral("WSNEW01"));
        bed.boxes.answers << seams::No;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.panelTexts.value(0),
                 QStringLiteral("Error, could not add the computer account.  Computer account "
                                "already exist within the trusted NT domains."));
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
    }

    void aNameTakenOnlyInTheFirstListedDomainIsFound()
    {
        Bed bed;
        frmNTAddUserComputer window;
        const QString first = window.COMBO_Domain->itemText(0);
        QVERIFY(first != QString::fromStdString(Domain));
        QVERIFY(bed.addUser(QStringLiteral("JNewman"), controllerOf(*bed.net, first)));
        typeIn(window, QStringLiteral("John"), QStringLiteral("Newman"));
        bed.boxes.answers << seams::No;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.shown.size(), 1);
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
    }

    // A lookup that answers neither found nor not found proves nothing.
    void aLookupThatFailsStopsTheRun_data()
    {
        QTest::addColumn<int>("entry"); // the listed domain refusing; -1: the target
        QTest::addColumn<bool>("computersOnly");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("first");
        const QString user = QStringLiteral("Error, could not add the user account.");
        QTest::newRow("access denied in the first listed domain") << 0 << false << 5 << user;
        QTest::newRow("RPC server unavailable at the target") << -1 << false << 1722 << user;
        QTest::newRow("the computer's domain refuses")
            << -1 << true << 5 << QStringLiteral("Error, could not add the computer account.");
    }

    void aLookupThatFailsStopsTheRun()
    {
        QFETCH(int, entry);
        QFETCH(bool, computersOnly);
        QFETCH(int, status);
        QFETCH(QString, first);
        Bed bed;
        frmNTAddUserComputer window;
        const QString refusing =
            entry < 0 ? QString::fromStdString(Domain) : window.COMBO_Domain->itemText(entry);
        bed.net->refusingServer = controllerOf(*bed.net, refusing);
        bed.net->refusal = status;
        bed.net->computersOnly = computersOnly;
        typeIn(window, QStringLiteral("John"), QStringLiteral("Newman"));
        if (computersOnly) {
            window.CHECK_Also->click();
            QTest::keyClicks(window.TEXT_ComputerName, QStringLiteral("WSNEW01"));
        }
        window.BUTTON_Add->click();
        QCOMPARE(window.LABEL_Status->text(), first + QStringLiteral("\n\n") + refusing
                                                   + QStringLiteral(": ")
                                                   + Get_ErrorText(status));
        QVERIFY(bed.boxes.shown.isEmpty());
        bed.net->refusal = 0;
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
        QVERIFY(bed.logLines().isEmpty());
    }

    // "St. John" gives the candidate "JSt. joh", which no operator could type.
    void aCandidateThatFailsTheNameCheckStopsTheRun()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("JStJohn")));
        frmNTAddUserComputer window;
        typeIn(window, QStringLiteral("John"), QStringLiteral("St. John"));
        window.TEXT_UserName->clear();
        QTest::keyClicks(window.TEXT_UserName, QStringLiteral("JStJohn"));
        bed.boxes.answers << seams::Yes << seams::Yes;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.shown.size(), 2);
        QCOMPARE(bed.boxes.shown[1].text, QStringLiteral("The user name format is incorrect or "
                                                         "contains illegal characters."));
        QCOMPARE(bed.boxes.shown[1].title, AppTitle + QStringLiteral(" : Incorrect User Name"));
        QCOMPARE(window.TEXT_UserName->text(), QStringLiteral("JSt. joh"));
        QVERIFY(!bed.exists(QStringLiteral("JSt. joh")));
        QVERIFY(bed.logLines().isEmpty());
    }

    void aNameTakenInALaterListedDomainIsFound()
    {
        Bed bed;
        frmNTAddUserComputer window;
        const int last = window.COMBO_Domain->findText(QString::fromStdString(Domain)) - 1;
        QVERIFY(last >= 1);
        std::string laterController;
        QCOMPARE(bed.net->NetGetDCName({}, window.COMBO_Domain->itemText(last).toStdString(),
                                       laterController),
                 platform::status::Success);
        QVERIFY(bed.addUser(QStringLiteral("JNewman"), laterController));
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        bed.boxes.answers << seams::No;
        window.BUTTON_Add->click();
        QCOMPARE(bed.boxes.shown.size(), 1);
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
    }

    void anUnreachableListedDomainStopsTheRun()
    {
        Bed bed;
        frmNTAddUserComputer window;
        const QString later = window.COMBO_Domain->itemText(1);
        QVERIFY(later != QString::fromStdString(Domain));
        std::string laterController;
        QCOMPARE(bed.net->NetGetDCName({}, later.toStdString(), laterController),
                 platform::status::Success);
        QCOMPARE(bed.fixture->setMachineReachable(laterController.substr(2), false),
                 platform::status::Success);
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.BUTTON_Add->click();
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Error, could not add the user account.\n\n") + later
                     + QStringLiteral(" domain controller is down.  This function requires "
                                      "that all trusted domains are active."));
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
        QVERIFY(bed.logLines().isEmpty());
    }

    void anUnknownComputerDomainStopsTheSearch()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        tickComputer(window, QStringLiteral("WSNEW01"));
        window.TEXT_ComputerDomain->setText(QStringLiteral("NOWHERE"));
        window.BUTTON_Add->click();
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Error, could not add the computer account.\n\nThe domain "
                                "specified does not exist, or the domain controllers are "
                                "down."));
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
    }

    // --- Servers ---------------------------------------------------------------

    void aServerTargetSkipsTheSearch()
    {
        Bed bed;
        // Taken in the domain: a server's accounts are its own.
        QVERIFY(bed.addUser(QStringLiteral("JNewman")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.COMBO_Domain->setEditText(QStringLiteral("\\\\HQFS01"));
        tickComputer(window, QStringLiteral("WSNEW01"));
        window.BUTTON_Add->click();
        QVERIFY(bed.boxes.shown.isEmpty());
        QVERIFY(!window.CHECK_Also->isChecked());
        QVERIFY(bed.exists(QStringLiteral("JNewman"), "\\\\HQFS01"));
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("JNewman\nuser account has been successfully added to "
                                "\\\\HQFS01."));
    }

    void myComputerWritesToThisMachine()
    {
        Bed bed;
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.COMBO_Domain->setCurrentIndex(window.COMBO_Domain->findText(MyComputer));
        window.BUTTON_Add->click();
        QCOMPARE(window.PICTURE_Status->backColor(), Green);
        QVERIFY(bed.exists(QStringLiteral("JNewman"), std::string()));
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
    }

    // --- Either both accounts or neither -------------------------------------

    void aFailedComputerAccountDeletesTheNewUser()
    {
        Bed bed;
        QVERIFY(bed.addComputer(QStringLiteral("WSNEW01")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
        window.CHECK_Unique->setChecked(false);
        tickComputer(window, QStringLiteral("WSNEW01"));
        window.BUTTON_Add->click();
        QCOMPARE(window.LABEL_Status->text(),
                 QStringLiteral("Error, could not add the computer account : The user account "
                                "already exists\n\nNo accounts have been created."));
        QCOMPARE(window.PICTURE_Status->backColor(), Red);
        QVERIFY(!bed.exists(QStringLiteral("JNewman")));
        const QStringList lines = bed.logLines();
        QCOMPARE(lines.size(), 1);
        const QStringList fields = lines[0].split(QStringLiteral(", "));
        QCOMPARE(fields.mid(2), QStringList({Title, "HEADOFFICE\\WSNEW01", "False",
                                             "The user account already exists", "", "", "",
                                             ""}));
    }

    // --- Taking a soft-deleted account back ----------------------------------

    void reuseRewritesTheSoftDeletedAccount()
    {
        Bed bed;
        appContext().CommandLine = QStringLiteral("/reuse");
        QVERIFY(bed.addUser(QStringLiteral("%JDOE")));
        platform::UserInfo3 before;
        QCOMPARE(bed.read(QStringLiteral("%JDOE"), before), platform::status::Success);
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("Jane"), QStringLiteral("R"), QStringLiteral("Roe"));
        window.CHECK_Expired->setChecked(false);
        window.BUTTON_Add->click();

        QCOMPARE(window.PICTURE_Status->backColor(), Green);
        QVERIFY(!bed.exists(QStringLiteral("%JDOE")));
        platform::UserInfo3 after;
        QCOMPARE(bed.read(QStringLiteral("JRoe"), after), platform::status::Success);
        QCOMPARE(after.userId, before.userId);
        QCOMPARE(after.fullName, std::string("Roe, Jane R"));
        QCOMPARE(after.comment, std::string("E1234"));
        QCOMPARE(after.scriptPath, std::string("logon.cmd"));
        QVERIFY(!(after.flags & platform::uf::AccountDisable));
        QVERIFY(bed.fixture->verifyPassword(Domain, "JRoe", Password.toStdString()));
    }

    void withoutTheReuseSwitchSoftDeletedAccountsStay()
    {
        Bed bed;
        QVERIFY(bed.addUser(QStringLiteral("%JDOE")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("Jane"), QString(), QStringLiteral("Roe"));
        window.BUTTON_Add->click();
        QVERIFY(bed.exists(QStringLiteral("%JDOE")));
        QVERIFY(bed.exists(QStringLiteral("JRoe")));
    }

    void aTemplateAccountIsNeverReused()
    {
        Bed bed;
        appContext().CommandLine = QStringLiteral("/REUSE");
        QVERIFY(bed.addUser(QStringLiteral("%Template_Staff")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("Jane"), QString(), QStringLiteral("Roe"));
        window.BUTTON_Add->click();
        QVERIFY(bed.exists(QStringLiteral("%Template_Staff")));
        QVERIFY(bed.exists(QStringLiteral("JRoe")));
    }

    // The undo keeps the reused account's SID: it returns to its mark.
    void aReusedAccountReturnsToItsMarkWhenItsComputerAccountFails()
    {
        Bed bed;
        appContext().CommandLine = QStringLiteral("/REUSE");
        QVERIFY(bed.addUser(QStringLiteral("%JDOE")));
        QVERIFY(bed.addComputer(QStringLiteral("WSNEW01")));
        frmNTAddUserComputer window;
        fill(window, QStringLiteral("Jane"), QString(), QStringLiteral("Roe"));
        window.CHECK_Unique->setChecked(false);
        tickComputer(window, QStringLiteral("WSNEW01"));
        window.BUTTON_Add->click();
        QVERIFY(window.LABEL_Status->text().endsWith(
            QStringLiteral("No accounts have been created.")));
        platform::UserInfo3 info;
        QCOMPARE(bed.read(QStringLiteral("%JDOE"), info), platform::status::Success);
        QVERIFY(info.flags & platform::uf::AccountDisable);
        QCOMPARE(info.fullName, std::string("Disabled"));
        QVERIFY(!bed.exists(QStringLiteral("JRoe")));
    }

    // --- Settings ------------------------------------------------------------

    void settingsDefaultToTicked()
    {
        Bed bed;
        frmNTAddUserComputer window;
        QVERIFY(window.CHECK_Unique->isChecked());
        QVERIFY(window.CHECK_Expired->isChecked());
        QVERIFY(!window.CHECK_Admin->isChecked());
        QVERIFY(!window.CHECK_Also->isChecked());
        QCOMPARE(window.COMBO_Domain->currentText(), QString());
    }

    void settingsAreRestoredAtOpen()
    {
        Bed bed;
        bed.platform.settings.setValue(QStringLiteral("Settings"), QStringLiteral("LastDomain"),
                                       QStringLiteral("SALES"));
        bed.platform.settings.setValue(Title, QStringLiteral("Unique"), QStringLiteral("0"));
        bed.platform.settings.setValue(Title, QStringLiteral("Expire"), QStringLiteral("0"));
        frmNTAddUserComputer window;
        QCOMPARE(window.COMBO_Domain->currentText(), QStringLiteral("SALES"));
        QCOMPARE(window.TEXT_ComputerDomain->text(), QStringLiteral("SALES"));
        QVERIFY(!window.CHECK_Unique->isChecked());
        QVERIFY(!window.CHECK_Expired->isChecked());
    }

    void closingWithoutAnAttemptLeavesTheSettings()
    {
        Bed bed;
        {
            frmNTAddUserComputer window;
            window.COMBO_Domain->setEditText(QStringLiteral("SALES"));
            window.CHECK_Unique->setChecked(false);
            window.BUTTON_Add->click(); // refused: no first name
            QVERIFY(window.close());
        }
        QVERIFY(bed.platform.settings.values.empty());
    }

    void closingAfterAnAttemptSavesTheSettings()
    {
        Bed bed;
        appContext().AddWindowOpen[0] = true;
        {
            frmNTAddUserComputer window;
            fill(window, QStringLiteral("John"), QString(), QStringLiteral("Newman"));
            window.COMBO_Domain->setEditText(QStringLiteral("NOWHERE"));
            window.CHECK_Unique->setChecked(false);
            window.BUTTON_Add->click();
            QVERIFY(window.close());
        }
        auto &settings = bed.platform.settings;
        QCOMPARE(settings.value(QStringLiteral("Settings"), QStringLiteral("LastDomain"), {}),
                 QStringLiteral("NOWHERE"));
        QCOMPARE(settings.value(Title, QStringLiteral("Unique"), {}), QStringLiteral("0"));
        QCOMPARE(settings.value(Title, QStringLiteral("Expire"), {}), QStringLiteral("1"));
        QVERIFY(!appContext().AddWindowOpen[0]);
    }

    // --- No password in the log, whatever happened ----------------------------

    void noPasswordReachesTheLogOnAnyPath()
    {
        Bed bed;
        appContext().CommandLine = QStringLiteral("/REUSE");
        QVERIFY(bed.addUser(QStringLiteral("%JDOE")));
        QVERIFY(bed.addUser(QStringLiteral("JSmithson")));
        QVERIFY(bed.addComputer(QStringLiteral("WSTAKEN")));
        frmNTAddUserComputer window;
        const QStringList passwords = {"Alpha-Pw#1", "Bravo-Pw#2", "Charlie-Pw#3",
                                       "Delta-Pw#4", "Echo-Pw#5"};
        const auto run = [&](const QString &first, const QString &last, const QString &password,
                             const QString &computer, bool unique) {
            fill(window, first, QString(), last);
            window.TEXT_Password->setText(password);
            window.CHECK_Unique->setChecked(unique);
            window.CHECK_Also->setChecked(!computer.isEmpty());
            window.TEXT_ComputerName->setText(computer);
            window.BUTTON_Add->click();
        };
        run("Jane", "Roe", passwords[0], {}, true);              // reused %JDOE
        run("Mark", "Twain", passwords[1], "WSTWAIN", true);     // user and computer
        run("Ann", "Lee", passwords[2], "WSTAKEN", false);       // computer fails
        run("John", "Smithson", passwords[3], {}, false);        // user exists
        bed.boxes.answers << seams::Yes << seams::Yes;
        run("John", "Smithson", passwords[4], {}, true);         // candidate JSmithso

        const QStringList lines = bed.logLines();
        QCOMPARE(lines.size(), 5);
        QFile log(LogFilePath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray whole = log.readAll();
        for (const QString &password : passwords)
            QVERIFY2(!whole.contains(password.toUtf8()), qPrintable(password));
        QVERIFY(bed.fixture->verifyPassword(Domain, "JSmithso", passwords[4].toStdString()));
    }
};

QTEST_MAIN(TestAddUserWindow)
#include "test_add_user_window.moc"
