// The account search window against the live Samba DC: real copies of the
// built program list the DC's domain through the Samba back end, and a
// clicked computer is read from the DC.
#include "accountlist/SearchCopies.h"
#include "accountlist/frmNTAccList.h"
#include "app/Seams.h"
#include "platform/Platform.h"
#include "platform/netapi/BackendSelection.h"
#include "tests/netapi/SambaTarget.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace testing_support;

namespace {

QString dcDomain() { return qEnvironmentVariable("VARNEL_DC_DOMAIN"); }

QStringList listed(const QListWidget *list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

} // namespace

class AccountSearchLiveTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void searchListsTheDcsUsersBeginningWithJ();
    void controllerIsFoundAndShownAsDomainController();
    void searchOverBothDomainsListsEachDomainsMatches_data();
    void searchOverBothDomainsListsEachDomainsMatches();

private:
    std::unique_ptr<frmNTAccList> searchFor(const QString &text, int type,
                                            const QStringList &domains = {dcDomain()},
                                            int filter = 0);

    QTemporaryDir m_programDir;
    platform::netapi::BackendSelection m_selection;
    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<ScriptedSeams> m_seams;
};

void AccountSearchLiveTest::initTestCase()
{
    QVERIFY2(!dcDomain().isEmpty(), "run through scripts/samba-dc.sh exec");
    QVERIFY(m_programDir.isValid());
    const QString program = m_programDir.filePath("varnel");
    QVERIFY(QFile::copy(QStringLiteral(VARNEL_EXECUTABLE), program));
    SetSearchProgram(program);
    // Outside the build tree the copies write their work files to their data folder.
    qputenv("XDG_DATA_HOME", m_programDir.filePath("data").toUtf8());
    QVERIFY(QDir().mkpath(m_programDir.filePath("data/varnel")));
    // The copies inherit the choice of back end.
    qputenv("VARNEL_DIRECTORY", "samba");
    m_selection = platform::netapi::selectNetworkManagement([] { return QDateTime(); });
    QVERIFY2(m_selection.net, qPrintable(m_selection.error));
}

void AccountSearchLiveTest::init()
{
    m_platform = std::make_unique<TestPlatform>();
    m_seams = std::make_unique<ScriptedSeams>();
    m_platform->system.folder = m_programDir.filePath("data/varnel");
    platform::Families families = platform::current();
    families.net = m_selection.net.get();
    platform::install(families);
}

void AccountSearchLiveTest::cleanup()
{
    m_seams.reset();
    m_platform.reset();
}

// The window with exactly `domains` in its list: the others removed, the
// missing ones added through "Add" as an operator does.
std::unique_ptr<frmNTAccList> AccountSearchLiveTest::searchFor(const QString &text, int type,
                                                               const QStringList &domains,
                                                               int filter)
{
    auto window = std::make_unique<frmNTAccList>();
    window->show();
    for (int row = window->LIST_Domain->count() - 1; row >= 0; --row) {
        if (!domains.contains(window->LIST_Domain->item(row)->text()))
            delete window->LIST_Domain->item(row);
    }
    for (const QString &domain : domains) {
        if (!window->LIST_Domain->findItems(domain, Qt::MatchExactly).isEmpty())
            continue;
        m_seams->inputBox.answers.enqueue(domain);
        QTest::mouseClick(window->BUTTON_Add, Qt::LeftButton);
    }
    window->OPTION_Type[type]->click();
    window->OPTION_Filter[filter]->click();
    QTest::keyClicks(window->TEXT_ID, text);
    QTest::mouseClick(window->BUTTON_List, Qt::LeftButton);
    return window;
}

// "name, DOMAIN" for each user a DC's own listing gives that `matches`.
static QStringList usersOf(bool trustedDc, const QString &domain,
                           const std::function<bool(const QString &)> &matches)
{
    std::string users;
    const bool read = trustedDc ? netapi_tests::runOnTrustedDc({"user", "list"}, &users)
                                : netapi_tests::runOnTestDc({"user", "list"}, &users);
    if (!read)
        return {QStringLiteral("<samba-tool failed>")};
    QStringList entries;
    for (const QString &name : QString::fromStdString(users).split(u'\n', Qt::SkipEmptyParts)) {
        if (matches(name))
            entries << name + ", " + domain;
    }
    return entries;
}

void AccountSearchLiveTest::searchListsTheDcsUsersBeginningWithJ()
{
    std::string users;
    QVERIFY(netapi_tests::runOnTestDc({"user", "list"}, &users));
    QStringList expected;
    for (const QString &name : QString::fromStdString(users).split(u'\n', Qt::SkipEmptyParts)) {
        if (name.startsWith(u'j', Qt::CaseInsensitive))
            expected << name + ", " + dcDomain();
    }
    QVERIFY(expected.size() > 10);
    auto window = searchFor("j", 0);
    QStringList found = listed(window->LIST_Items);
    found.sort(Qt::CaseInsensitive);
    expected.sort(Qt::CaseInsensitive);
    QCOMPARE(found, expected);
    QVERIFY(QDir(m_programDir.filePath("data/varnel")).entryList({"*%.tmp"}, QDir::Files).isEmpty());
}

void AccountSearchLiveTest::controllerIsFoundAndShownAsDomainController()
{
    const QString dcName = qEnvironmentVariable("VARNEL_DC_NAME").toUpper();
    auto window = searchFor(dcName, 1);
    const int row = int(listed(window->LIST_Items).indexOf(dcName + ", " + dcDomain()));
    QVERIFY2(row >= 0, qPrintable(listed(window->LIST_Items).join(u'|')));
    QListWidget *list = window->LIST_Items;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QCOMPARE(window->LABEL_Val2->text(), QStringLiteral("Domain Controller"));
}

void AccountSearchLiveTest::searchOverBothDomainsListsEachDomainsMatches_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("beginsWith");
    // Bulk names of both domains, and the one name both domains hold.
    QTest::newRow("begins with j") << "j" << true;
    QTest::newRow("contains twin") << "TWIN" << false;
}

// One copy per domain, the trusted one listed at its own controller through
// the trust: every match of each domain, each with its own domain.
void AccountSearchLiveTest::searchOverBothDomainsListsEachDomainsMatches()
{
    QFETCH(QString, typed);
    QFETCH(bool, beginsWith);
    const QString trusted = qEnvironmentVariable("VARNEL_DC2_DOMAIN");
    if (trusted.isEmpty())
        QSKIP("no trusted domain on this target: one domain only");
    const auto matches = [&](const QString &name) {
        return beginsWith ? name.startsWith(typed, Qt::CaseInsensitive)
                          : name.contains(typed, Qt::CaseInsensitive);
    };
    const QStringList own = usersOf(false, dcDomain(), matches);
    const QStringList other = usersOf(true, trusted, matches);
    QVERIFY2(!own.isEmpty() && !other.isEmpty(), "no match in one of the domains");
    QStringList expected = own + other;
    auto window = searchFor(typed, 0, {dcDomain(), trusted}, beginsWith ? 0 : 1);
    QCOMPARE(window->LIST_Domain->count(), 2);
    QStringList found = listed(window->LIST_Items);
    found.sort(Qt::CaseInsensitive);
    expected.sort(Qt::CaseInsensitive);
    QCOMPARE(found, expected);
}

QTEST_MAIN(AccountSearchLiveTest)
#include "test_account_search_live.moc"
