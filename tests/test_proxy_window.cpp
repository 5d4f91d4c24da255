// The proxy logon window and the proxy rights set-up, on the directory and
// platform doubles: what the lookup's status leads to, the remembered
// entries, the configure question, the set-up's outcomes.
#include "proxy/ProxyLogon.h"
#include "proxy/ProxyRights.h"
#include "proxy/frmBackgrnd.h"
#include "proxy/frmNTProxy.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

// Notes, at each box, whether the wait window was still on the screen.
class WatchingMessageBox : public ScriptedMessageBox {
public:
    QList<bool> waitWindowShown;
    seams::Answer show(const QString &text, seams::Buttons buttons, seams::Icon icon,
                       const QString &title) override
    {
        bool shown = false;
        for (QWidget *widget : QApplication::topLevelWidgets())
            shown = shown || (qobject_cast<frmBackgrnd *>(widget) && widget->isVisible());
        waitWindowShown << shown;
        return ScriptedMessageBox::show(text, buttons, icon, title);
    }
};

} // namespace

class ProxyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rememberedEntriesDecideWhereTheCursorGoes_data();
    void rememberedEntriesDecideWhereTheCursorGoes();
    void lookupStatusDecidesWhetherTheLogonIsTried_data();
    void lookupStatusDecidesWhetherTheLogonIsTried();
    void wrongPasswordAsksTheConfigureQuestion();
    void logonStartsTheCopyAndEndsThisOne();
    void emptyUserWhenConfiguringIsMissingParameters();
    void logoffAnswerDecidesTheLogoff_data();
    void logoffAnswerDecidesTheLogoff();
    void nonAdministratorIsToldAfterTheWaitWindowCloses();
    void waitWindowGreyDarkensDownwards_data();
    void waitWindowGreyDarkensDownwards();

private:
    std::unique_ptr<frmNTProxy> openWindow();
    void login(frmNTProxy &window, const QString &domain, const QString &user);

    std::unique_ptr<DirectoryTestBed> m_bed;
    WatchingMessageBox m_boxes;
    int m_ends = 0;
};

void ProxyWindowTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    m_bed->net.addUser("jdoe", "Right#Pass1");
    m_bed->net.addLocalGroup("Administrators");
    m_boxes = WatchingMessageBox();
    seams::Set set = seams::current();
    set.messageBox = &m_boxes;
    seams::install(set);
    m_ends = 0;
    SetEndProgram([this] { ++m_ends; });
}

void ProxyWindowTest::cleanup()
{
    SetEndProgram({});
    m_bed.reset();
}

std::unique_ptr<frmNTProxy> ProxyWindowTest::openWindow()
{
    auto window = std::make_unique<frmNTProxy>();
    return activate(*window) ? std::move(window) : nullptr;
}

void ProxyWindowTest::login(frmNTProxy &window, const QString &domain, const QString &user)
{
    window.TEXT_Domain->setFocus();
    QTest::keyClicks(window.TEXT_Domain, domain);
    window.TEXT_UserName->setFocus();
    QTest::keyClicks(window.TEXT_UserName, user);
    window.TEXT_Password->setFocus();
    QTest::keyClicks(window.TEXT_Password, QStringLiteral("Right#Pass1"));
    QTest::mouseClick(window.BUTTON_Login, Qt::LeftButton);
}

void ProxyWindowTest::rememberedEntriesDecideWhereTheCursorGoes_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("focused");
    QTest::newRow("both remembered") << "SALES" << "jdoe" << "TEXT_Password";
    QTest::newRow("domain only") << "SALES" << "" << "TEXT_Domain";
}

void ProxyWindowTest::rememberedEntriesDecideWhereTheCursorGoes()
{
    QFETCH(QString, domain);
    QFETCH(QString, user);
    QFETCH(QString, focused);
    m_bed->platform.settings.setValue("Settings", "ProxyDomain", domain);
    m_bed->platform.settings.setValue("Settings", "ProxyUserName", user);
    // Opened from its menu item, as a child of the main window.
    frmVarnel main;
    main.registerTaskWindow("MENUOPT_Proxy", [] { return new frmNTProxy; });
    QVERIFY(activate(main));
    main.menuItem("MENUOPT_Proxy")->trigger();
    QMdiSubWindow *frame = main.taskWindow("MENUOPT_Proxy");
    QVERIFY(frame);
    auto *window = qobject_cast<frmNTProxy *>(frame->widget());
    QCOMPARE(window->TEXT_UserName->text(), user);
    QTRY_VERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void ProxyWindowTest::lookupStatusDecidesWhetherTheLogonIsTried_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("injected");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("focused");
    QTest::newRow("no controller") << "NOWHERE" << "jdoe" << 0 << "Domain controller not found"
                                   << "TEXT_Domain";
    QTest::newRow("no such user") << "SALES" << "nobody" << 0
                                  << "The user name could not be found" << "TEXT_UserName";
    QTest::newRow("access denied") << "SALES" << "jdoe" << 5 << "" << "";
}

void ProxyWindowTest::lookupStatusDecidesWhetherTheLogonIsTried()
{
    QFETCH(QString, domain);
    QFETCH(QString, user);
    QFETCH(int, injected);
    QFETCH(QString, words);
    QFETCH(QString, focused);
    m_bed->net.inject = [injected](const FakeCall &call) {
        return call.function == "NetUserGetInfo" ? injected : 0;
    };
    auto window = openWindow();
    QVERIFY(window);
    login(*window, domain, user);
    if (words.isEmpty()) { // the account may exist: the logon is tried
        QCOMPARE(m_bed->platform.security.logons, QStringList{domain + u'\\' + user});
        return;
    }
    QVERIFY(m_bed->platform.security.logons.isEmpty());
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].text, words);
    QCOMPARE(m_boxes.shown[0].icon, seams::Critical);
    QCOMPARE(m_boxes.shown[0].title, QStringLiteral("Varnel : Proxy Account Problem"));
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void ProxyWindowTest::wrongPasswordAsksTheConfigureQuestion()
{
    m_bed->platform.security.logonStatus = 1326;
    auto window = openWindow();
    QVERIFY(window);
    login(*window, "SALES", "jdoe");
    QCOMPARE(m_boxes.shown.size(), 1); // answered No: nothing is configured
    QCOMPARE(m_boxes.shown[0].buttons, seams::YesNo);
    QCOMPARE(m_boxes.shown[0].title, QStringLiteral("Varnel : Please Confirm"));
    QVERIFY(m_boxes.shown[0].text.startsWith("Either your local rights are not correctly"));
    QVERIFY(m_bed->platform.security.started.isEmpty());
    QCOMPARE(m_ends, 0);
    QVERIFY(window->isVisible());
}

void ProxyWindowTest::logonStartsTheCopyAndEndsThisOne()
{
    auto window = openWindow();
    QVERIFY(window);
    login(*window, "SALES ", " jdoe");
    QCOMPARE(m_bed->platform.security.logons, QStringList{"SALES\\jdoe"});
    QCOMPARE(m_bed->platform.security.started, QStringList{ProxyProgram()});
    QCOMPARE(m_bed->platform.security.openTokens, 0);
    QCOMPARE(m_ends, 1);
    QVERIFY(m_boxes.shown.isEmpty());
    // Remembered as typed; the password never.
    const auto &values = m_bed->platform.settings.values;
    QCOMPARE(values.at({"Settings", "ProxyUserName"}), QStringLiteral(" jdoe"));
    for (const auto &entry : values)
        QVERIFY(!entry.second.contains("Right#Pass1"));
}

void ProxyWindowTest::emptyUserWhenConfiguringIsMissingParameters()
{
    QString domain = "SALES", user;
    QVERIFY(!Configure_ProxyRights(domain, user));
    QCOMPARE(m_boxes.shown.size(), 1);
    QCOMPARE(m_boxes.shown[0].title, QStringLiteral("Varnel : Missing Parameters"));
    QCOMPARE(m_boxes.shown[0].icon, seams::Exclamation);
    QVERIFY(m_bed->net.localMembers("Administrators").empty());
}

void ProxyWindowTest::logoffAnswerDecidesTheLogoff_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("logOffs");
    QTest::addColumn<QString>("member");
    QTest::newRow("No") << "SALES" << int(seams::No) << 0 << "SALES\\jdoe";
    QTest::newRow("Yes") << "SALES" << int(seams::Yes) << 1 << "SALES\\jdoe";
    QTest::newRow("empty domain: bare name") << "" << int(seams::No) << 0 << "jdoe";
}

void ProxyWindowTest::logoffAnswerDecidesTheLogoff()
{
    QFETCH(QString, domain);
    QFETCH(int, answer);
    QFETCH(int, logOffs);
    QFETCH(QString, member);
    m_boxes.answers.enqueue(seams::Answer(answer));
    QString user = "jdoe";
    QVERIFY(Configure_ProxyRights(domain, user));
    QCOMPARE(m_boxes.shown.size(), 1);
    QVERIFY(m_boxes.shown[0].text.startsWith("Configuration changes complete."));
    QCOMPARE(m_boxes.waitWindowShown, QList<bool>{false});
    QCOMPARE(m_bed->platform.security.logOffs, logOffs);
    QCOMPARE(m_bed->net.localMembers("Administrators"),
             std::vector<std::string>{member.toStdString()});
}

void ProxyWindowTest::nonAdministratorIsToldAfterTheWaitWindowCloses()
{
    m_bed->platform.security.administrator = false;
    m_bed->platform.security.logonStatus = 1326;
    m_boxes.answers.enqueue(seams::Yes); // configure
    auto window = openWindow();
    QVERIFY(window);
    login(*window, "SALES", "jdoe");
    QCOMPARE(m_boxes.shown.size(), 2);
    QCOMPARE(m_boxes.shown[1].text, QStringLiteral("Error configuring proxy rights."));
    QCOMPARE(m_boxes.shown[1].icon, seams::Critical);
    QCOMPARE(m_boxes.shown[1].title, QStringLiteral("Varnel : Error"));
    QCOMPARE(m_boxes.waitWindowShown, (QList<bool>{false, false}));
    QVERIFY(m_bed->net.localMembers("Administrators").empty());
}

void ProxyWindowTest::waitWindowGreyDarkensDownwards_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("grey");
    QTest::newRow("top") << 0 << 640 << 240;
    QTest::newRow("inside the first band") << 9 << 640 << 240;
    QTest::newRow("middle") << 320 << 640 << 118;  // 240 - 320 * 245 / 640
    QTest::newRow("last band not below 0") << 639 << 640 << 0;
    QTest::newRow("bands of 16 rows for 1000") << 31 << 1000 << 237;
}

void ProxyWindowTest::waitWindowGreyDarkensDownwards()
{
    QFETCH(int, y);
    QFETCH(int, height);
    QFETCH(int, grey);
    QCOMPARE(frmBackgrnd::greyAt(y, height), grey);
}

QTEST_MAIN(ProxyWindowTest)
#include "test_proxy_window.moc"
