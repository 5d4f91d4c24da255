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

private:
    std::unique_ptr<frmNTAccList> searchFor(const QString &text, int type);

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

std::unique_ptr<frmNTAccList> AccountSearchLiveTest::searchFor(const QString &text, int type)
{
    auto window = std::make_unique<frmNTAccList>();
    window->show();
    for (int row = window->LIST_Domain->count() - 1; row >= 0; --row) {
        if (window->LIST_Domain->item(row)->text() != dcDomain())
            delete window->LIST_Domain->item(row);
    }
    window->OPTION_Type[type]->click();
    QTest::keyClicks(window->TEXT_ID, text);
    QTest::mouseClick(window->BUTTON_List, Qt::LeftButton);
    return window;
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

QTEST_MAIN(AccountSearchLiveTest)
#include "test_account_search_live.moc"
