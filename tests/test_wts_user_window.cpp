// The Terminal Server window over the real settings stack (the family over
// userParameters and its codec), on the in-memory directory; a recording layer
// notes which classes are written, in which order.
#include "app/AppContext.h"
#include "directory/UserConfig.h"
#include "platform/terminalserver/ParametersTerminalServer.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/OleColor.h"
#include "users/ModifyUserWindow.h"
#include "users/UserWindows.h"
#include "users/WtsUserWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using testing_support::DirectoryTestBed;

namespace {

class RecordingTerminalServer : public platform::TerminalServer {
public:
    platform::ParametersTerminalServer real;
    QList<int> written;
    int failing = -1;
    bool queryUserConfig(const QString &server, const QString &user, int configClass,
                         QByteArray &buffer) override
    {
        return real.queryUserConfig(server, user, configClass, buffer);
    }
    bool setUserConfig(const QString &server, const QString &user, int configClass,
                       const QByteArray &buffer) override
    {
        written << configClass;
        return configClass != failing && real.setUserConfig(server, user, configClass, buffer);
    }
};

struct Bed {
    DirectoryTestBed directory;
    RecordingTerminalServer terminalServer;
    Bed()
    {
        platform::Families families = platform::current();
        families.terminalServer = &terminalServer;
        platform::install(families);
        directory.net.addUser("jdoe").homeDir = "\\\\fs\\jdoe";
    }
    void seed(int configClass, const QString &value)
    {
        QCOMPARE(Set_UserConfig("\\\\DC1", "jdoe", configClass, value), 0);
        terminalServer.written.clear();
    }
    QString stored(int configClass)
    {
        QString value;
        return Query_UserConfig("\\\\DC1", "jdoe", configClass, value) == 0 ? value : "<fails>";
    }
    int writesOfParameters() { return directory.net.count("UserParametersSet"); }
};

std::unique_ptr<frmWTSUser> openWindow()
{
    auto window = std::make_unique<frmWTSUser>();
    window->TargetServer = "\\\\DC1";
    window->TargetUser = "jdoe";
    if (!testing_support::activate(*window))
        return nullptr;
    return window;
}

bool pressApply(frmWTSUser &window)
{
    return testing_support::pressAccessKey(&window, Qt::Key_A, window.BUTTON_Apply);
}


void retype(QLineEdit *text, const QString &typed)
{
    text->setFocus();
    text->selectAll();
    QTest::keyClicks(text, typed);
}

} // namespace

class TestWtsUserWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { resetAppContext(); }
    void cleanup() { frmNTModUser::setTerminalServerDialog({}); }

    void opensFromTheUserWindowWithItsTarget()
    {
        Bed bed;
        registerUserWindows();
        frmNTModUser owner;
        owner.TEXT_ID->setText("jdoe");
        owner.COMBO_Domain->setEditText("SALES");
        QVERIFY(owner.BUTTON_WTS->isEnabled());
        QVERIFY(testing_support::activate(owner));
        QString shownUser, caption;
        bool modal = false;
        // The window runs its own loop: answered from a timer once it is up.
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<frmWTSUser *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            watcher.stop();
            shownUser = dialog->LABEL_UserName->text();
            caption = dialog->windowTitle();
            modal = dialog->isModal();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        watcher.start(20);
        QVERIFY(testing_support::pressAccessKey(&owner, Qt::Key_T, owner.BUTTON_WTS));
        QCOMPARE(shownUser, "User: jdoe");
        QCOMPARE(caption, "Terminal Server User Properties");
        QVERIFY(modal);
        QCOMPARE(bed.writesOfParameters(), 0);
        QVERIFY(!appContext().SuppressChange);
    }

    void timeoutOf90000ShowsOneAndAHalfAndIsWrittenBackAs120000()
    {
        Bed bed;
        bed.seed(4, "90000");
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->TEXT_Con->text(), "1.5");
        QVERIFY(!window->CHECK_Con->isChecked());
        retype(window->TEXT_Con, "1.5");
        QVERIFY(pressApply(*window));
        QVERIFY(!window->isVisible());
        QCOMPARE(bed.stored(4), "120000");
    }

    void noIdleEmptiesAndDisablesTheBoxAndWritesZero()
    {
        Bed bed;
        bed.seed(6, "600000");
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->TEXT_Idle->text(), "10");
        testing_support::toggle(window->CHECK_Idle);
        QVERIFY(window->TEXT_Idle->text().isEmpty());
        QVERIFY(!window->TEXT_Idle->isEnabled());
        QCOMPARE(window->TEXT_Idle->palette().color(QPalette::Base),
                 ole::toQColor(ole::SystemButtonFace));
        QVERIFY(pressApply(*window));
        QCOMPARE(bed.stored(6), "0");
    }

    void userWithoutHomeDirectoryOpensWithLocalPath()
    {
        Bed bed;
        auto window = openWindow();
        QVERIFY(window);
        QVERIFY(window->OPTION_Local->isChecked());
        QVERIFY(window->TEXT_LocalPath->text().isEmpty());
        QCOMPARE(window->TEXT_WinFramePath->text(), "\\\\fs\\jdoe");
        QVERIFY(window->CHECK_Logon->isChecked());
        QCOMPARE(window->COMBO_Shadowing->currentIndex(), 1);
    }

    void remoteHomeDirectoryOpensWithConnectAndItsDrive()
    {
        Bed bed;
        bed.seed(16, QStringLiteral("\\\\fs\\ts") + QChar(0));
        bed.seed(17, QStringLiteral("H:") + QChar(0));
        auto window = openWindow();
        QVERIFY(window);
        QVERIFY(window->OPTION_Connect->isChecked());
        QCOMPARE(window->TEXT_Path->text(), "\\\\fs\\ts");
        QCOMPARE(window->COMBO_Drive->currentText(), "H:");
    }

    void connectWithoutDriveRefusesBeforeAnyWrite()
    {
        Bed bed;
        testing_support::ScriptedMessageBox &boxes = bed.directory.seams.messageBox;
        auto window = openWindow();
        QVERIFY(window);
        testing_support::toggle(window->OPTION_Connect);
        QTest::keyClicks(window->TEXT_Path, "\\\\fs\\ts");
        QVERIFY(pressApply(*window));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, "Please select a drive letter from the dropdown list.");
        QCOMPARE(boxes.shown[0].icon, seams::Exclamation);
        QVERIFY(bed.terminalServer.written.isEmpty());
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::focusWidget(), window->COMBO_Drive);
    }

    void editingOnlyTheCallbackNumberAlsoWritesListsAndHomeDirectory()
    {
        Bed bed;
        auto window = openWindow();
        QVERIFY(window);
        QTest::keyClicks(window->TEXT_Callback, "5551234");
        QVERIFY(pressApply(*window));
        QCOMPARE(bed.terminalServer.written, (QList<int>{16, 17, 10, 11, 12, 13, 14}));
        QCOMPARE(bed.stored(13), "5551234");
        QCOMPARE(bed.directory.net.count("NetUserSetInfo"), 0);
    }

    void storedShadowingFourLeavesTheListAndTheValueAlone()
    {
        Bed bed;
        bed.seed(14, "4");
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->COMBO_Shadowing->currentIndex(), 0);
        QTest::keyClicks(window->TEXT_Callback, "1");
        QVERIFY(pressApply(*window));
        QVERIFY(!bed.terminalServer.written.contains(14));
        QCOMPARE(bed.stored(14), "4");
    }

    void firstFailingSettingStopsTheWriteAndKeepsTheWindow()
    {
        Bed bed;
        bed.terminalServer.failing = 11;
        auto window = openWindow();
        QVERIFY(window);
        retype(window->TEXT_WinFramePath, "\\\\fs\\new");
        QVERIFY(pressApply(*window));
        QCOMPARE(bed.terminalServer.written, (QList<int>{16, 17, 10, 11}));
        QCOMPARE(bed.directory.net.user("jdoe")->homeDir, "\\\\fs\\new");
        const QList<testing_support::ShownBox> &shown = bed.directory.seams.messageBox.shown;
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "Error settings terminal server user properties.");
        QCOMPARE(shown[0].title, "Varnel : WTS User Properties");
        QVERIFY(window->isVisible());
    }

    void timeoutThatIsNoNumberIsSelectedForCorrection_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "ten";
        QTest::newRow("past 35791 minutes, too many milliseconds") << "35792";
    }

    void timeoutThatIsNoNumberIsSelectedForCorrection()
    {
        QFETCH(QString, typed);
        Bed bed;
        auto window = openWindow();
        QVERIFY(window);
        testing_support::toggle(window->CHECK_DisCon);
        QTest::keyClicks(window->TEXT_DisCon, typed);
        QVERIFY(pressApply(*window));
        const QList<testing_support::ShownBox> &shown = bed.directory.seams.messageBox.shown;
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "Please specify a #number timeout number in minutes.");
        QCOMPARE(window->TEXT_DisCon->selectedText(), typed);
        QVERIFY(bed.terminalServer.written.isEmpty());
    }
};

QTEST_MAIN(TestWtsUserWindow)
#include "test_wts_user_window.moc"
