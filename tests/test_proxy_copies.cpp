// The proxy logon end to end, with real copies of the program: a first copy
// acting as an ordinary account logs the proxy account on through its proxy
// window, a second copy starts acting as the proxy account and the first one
// ends. Both copies are driven by steps handed over on the credential channel
// (test builds only). Against the live DC (VARNEL_TEST_TARGET=samba, run
// through scripts/samba-dc.sh exec) the ordinary account is refused the add
// (5) and the proxy account, the domain's Administrator, is not; against the
// embedded directory, which has no rights model, both adds succeed and the
// identity is what is checked. The password of the proxy account must reach
// no command line, environment or file.
#include "platform/linux/CredentialChannel.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#ifdef VARNEL_HAVE_SAMBA
#include "tests/netapi/SambaTarget.h"
#endif

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Program = QStringLiteral(VARNEL_EXECUTABLE);

bool samba() { return qEnvironmentVariable("VARNEL_TEST_TARGET") == u"samba"; }

QString unique(const char *prefix)
{
    return QString::fromLatin1(prefix)
        + QString::number(QDateTime::currentMSecsSinceEpoch() % 1000000);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "password = ..." of an authentication file.
QString authFilePassword(const QString &path)
{
    for (const QByteArray &line : readFile(path).split('\n')) {
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() >= 2 && parts[0].trimmed() == "password")
            return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
    }
    return {};
}

} // namespace

class ProxyCopiesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void loginStartsACopyActingAsTheProxyAccount();
    void wrongPasswordStartsNothing();

private:
    // Runs the first copy with the steps; its output lines (the second
    // copy's too, once `count` lines have come or a minute has passed).
    QList<QStringList> run(const QStringList &steps, int count);
    QStringList filesHolding(const QByteArray &text) const;

    QTemporaryDir m_dir;
    QString m_program;
    platform::DirectoryCredentials m_first;
    platform::DirectoryCredentials m_proxy;
    QStringList m_created;
    int m_runs = 0;
    QString m_output; // the last run's
};

void ProxyCopiesTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *folder : {"bin", "h", "c", "d", "r"})
        QVERIFY(QDir(m_dir.path()).mkpath(folder));
    QFile::setPermissions(m_dir.filePath("r"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ExeOwner);
    // A copy of its own, so that its log is this test's alone.
    m_program = m_dir.filePath("bin/varnel");
    QVERIFY(QFile::copy(Program, m_program));
    QFile::copy(QFileInfo(Program).absolutePath() + "/errcodes.ini",
                m_dir.filePath("bin/errcodes.ini"));
    const QString proxyPassword = "Px#" + unique("Secret") + "q";
    if (samba()) {
#ifdef VARNEL_HAVE_SAMBA
        const QString domain = qEnvironmentVariable("VARNEL_DC_DOMAIN");
        QVERIFY2(!domain.isEmpty(), "run through scripts/samba-dc.sh exec");
        m_first = {domain, unique("vntplain"), QStringLiteral("Plain#Pass42")};
        QVERIFY(netapi_tests::runOnTestDc({"user", "create", m_first.user.toStdString(),
                                           m_first.password.toStdString()}));
        m_proxy = {domain, QStringLiteral("Administrator"),
                   authFilePassword(qEnvironmentVariable("VARNEL_AUTHFILE"))};
        QVERIFY(!m_proxy.password.isEmpty());
#else
        QSKIP("built without the Samba back end");
#endif
    } else {
        const QString database = m_dir.filePath("d/directory.sqlite");
        platform::embedded::EmbeddedNetworkManagement net(database.toStdString());
        QVERIFY(net.isOpen());
        platform::UserInfo3 proxy;
        proxy.name = "proxyop";
        proxy.password = proxyPassword.toStdString();
        QCOMPARE(net.NetUserAdd("\\\\HQDC01", 3, proxy, nullptr), 0);
        m_first = {QStringLiteral("HEADOFFICE"), QStringLiteral("jsmith"),
                   QStringLiteral("Varnel#Demo1")};
        m_proxy = {QStringLiteral("headoffice"), QStringLiteral("proxyop"), proxyPassword};
    }
}

void ProxyCopiesTest::cleanupTestCase()
{
#ifdef VARNEL_HAVE_SAMBA
    if (samba() && !m_first.user.isEmpty())
        m_created << m_first.user;
    for (const QString &name : std::as_const(m_created)) {
        if (samba())
            netapi_tests::runOnTestDc({"user", "delete", name.toStdString()});
    }
#endif
}

QList<QStringList> ProxyCopiesTest::run(const QStringList &steps, int count)
{
    const QString output = m_dir.filePath(QString("out%1.txt").arg(++m_runs));
    m_output = output;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "VARNEL_AUTHFILE", "KRB5CCNAME"})
        environment.remove(name);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("VARNEL_DIRECTORY", samba() ? "samba" : "embedded");
    environment.insert("VARNEL_EMBEDDED_DB", m_dir.filePath("d/directory.sqlite"));
    environment.insert("HOME", m_dir.filePath("h"));
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("c"));
    environment.insert("XDG_DATA_HOME", m_dir.filePath("d"));
    environment.insert("XDG_RUNTIME_DIR", m_dir.filePath("r"));
    QProcess first;
    first.setProcessEnvironment(environment);
    // Files, not pipes: the second copy writes on after the first has ended.
    first.setStandardInputFile(QProcess::nullDevice());
    first.setStandardOutputFile(output, QIODevice::Append);
    first.setStandardErrorFile(output + ".err", QIODevice::Append);
    {
        platform::CredentialHandOn handOn(first, {m_first, steps});
        first.start(m_program, {});
    }
    if (!first.waitForFinished(120000))
        first.kill();
    QList<QStringList> lines;
    QElapsedTimer waited;
    waited.start();
    do {
        lines.clear();
        for (const QByteArray &line : readFile(output).split('\n')) {
            if (!line.isEmpty())
                lines << QString::fromUtf8(line).split(u'\t');
        }
    } while (lines.size() < count && waited.elapsed() < 60000 && (QTest::qWait(200), true));
    return lines;
}

QStringList ProxyCopiesTest::filesHolding(const QByteArray &text) const
{
    QStringList holding;
    QDirIterator files(m_dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (readFile(path).contains(text))
            holding << path;
    }
    return holding;
}

void ProxyCopiesTest::loginStartsACopyActingAsTheProxyAccount()
{
    const QString go = m_dir.filePath("go");
    const QString byFirst = unique("vntpxa"), byProxy = unique("vntpxb");
    m_created << byFirst << byProxy;
    const QList<QStringList> lines = run(
        {"report", "adduser\t" + byFirst + "\tVarnel#Pass42",
         "login\t" + m_proxy.domain + "\t" + m_proxy.user + "\t" + m_proxy.password, "report",
         "adduser\t" + byProxy + "\tVarnel#Pass42", "waitfile\t" + go, "quit"},
        5);
    QCOMPARE(lines.size(), 5);
    const QString firstIdentity = m_first.domain.toUpper() + u'\\' + m_first.user;
    const QString proxyIdentity = m_proxy.domain.toUpper() + u'\\' + m_proxy.user;
    QCOMPARE(lines[0].mid(0, 2), (QStringList{"report", firstIdentity}));
    QCOMPARE(lines[1], (QStringList{"adduser", byFirst, samba() ? "5" : "0"}));
    QCOMPARE(lines[2], (QStringList{"ended", lines[0][3]}));
    QCOMPARE(lines[3].mid(0, 2), (QStringList{"report", proxyIdentity}));
    QVERIFY2(lines[3][2].endsWith(" - " + proxyIdentity), qPrintable(lines[3][2]));
    QCOMPARE(lines[4], (QStringList{"adduser", byProxy, "0"}));

    // The second copy, still running: no option, no password anywhere in it.
    const QString proc = "/proc/" + lines[3][3];
    QVERIFY(lines[3][3] != lines[0][3]);
    QCOMPARE(readFile(proc + "/cmdline"), m_program.toLocal8Bit() + '\0');
    const QByteArray environ = readFile(proc + "/environ");
    QVERIFY(environ.contains("VARNEL_CREDENTIAL_FD="));
    QVERIFY(!environ.contains(m_proxy.password.toUtf8()));
    QFile(go).open(QIODevice::WriteOnly);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(proc), 30000);

    // The copy stands outside a build tree, so it logs to its per-user data folder.
    const QString log = QString::fromUtf8(readFile(m_dir.filePath("d/varnel/varnel.log")));
    QVERIFY2(log.contains(", " + firstIdentity + ", NT Add User Account, " + byFirst),
             qPrintable(log));
    QVERIFY2(log.contains(", " + proxyIdentity + ", NT Add User Account, " + byProxy + ", True"),
             qPrintable(log));
    // Log, settings, data, home: the password is in none of them.
    QCOMPARE(filesHolding(m_proxy.password.toUtf8()), QStringList());
}

void ProxyCopiesTest::wrongPasswordStartsNothing()
{
    const QList<QStringList> lines =
        run({"login\t" + m_proxy.domain + "\t" + m_proxy.user + "\tnot-" + m_proxy.password,
             "report", "quit"},
            2);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].mid(0, 2), (QStringList{"message", "Varnel : Please Confirm"}));
    QVERIFY(lines[0][2].startsWith("Either your local rights"));
    // The first copy carries on as it was; no other copy ever writes.
    QCOMPARE(lines[1].mid(0, 2),
             (QStringList{"report", m_first.domain.toUpper() + u'\\' + m_first.user}));
    QTest::qWait(2000);
    QCOMPARE(readFile(m_output).count('\n'), 2);
}

QTEST_GUILESS_MAIN(ProxyCopiesTest)
#include "test_proxy_copies.moc"
