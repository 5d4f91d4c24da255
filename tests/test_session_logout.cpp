// The log-off request: the session managers are asked in turn until one takes
// it, and when none answers nothing happens.
#include "platform/linux/SessionLogout.h"

#include <QTest>

namespace {

class FakeBus : public platform::SessionBus {
public:
    QString answering;
    QStringList asked;
    bool call(const platform::LogoutRequest &request) override
    {
        asked << request.service + u'.' + request.method;
        return request.service == answering;
    }
};

} // namespace

class SessionLogoutTest : public QObject {
    Q_OBJECT

private slots:
    void firstManagerThatAnswersTakesTheLogout_data();
    void firstManagerThatAnswersTakesTheLogout();
};

void SessionLogoutTest::firstManagerThatAnswersTakesTheLogout_data()
{
    QTest::addColumn<QString>("answering");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("asked");
    const QStringList all{"org.gnome.SessionManager.Logout", "org.mate.SessionManager.Logout",
                          "org.kde.LogoutPrompt.promptLogout", "org.xfce.SessionManager.Logout",
                          "org.lxqt.session.logout"};
    QTest::newRow("GNOME") << "org.gnome.SessionManager" << 0 << all.mid(0, 1);
    QTest::newRow("KDE") << "org.kde.LogoutPrompt" << 0 << all.mid(0, 3);
    QTest::newRow("none: not supported") << "" << 50 << all;
}

void SessionLogoutTest::firstManagerThatAnswersTakesTheLogout()
{
    QFETCH(QString, answering);
    QFETCH(int, status);
    QFETCH(QStringList, asked);
    FakeBus bus;
    bus.answering = answering;
    QCOMPARE(platform::requestLogout(bus), status);
    QCOMPARE(bus.asked, asked);
}

QTEST_GUILESS_MAIN(SessionLogoutTest)
#include "test_session_logout.moc"
