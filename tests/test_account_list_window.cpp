// The account search window with real copies of the built program against
// the embedded directory's three domains: criteria, the copies and their
// count, the work files, the item limit, the properties of a clicked account,
// the export and its Cancel, and a close in the middle of a search.
#include "accountlist/SearchCopies.h"
#include "accountlist/frmNTAccList.h"
#include "app/AppContext.h"
#include "directory/AccountEnumeration.h"
#include "platform/FileDialogs.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "tests/support/ScriptedSeams.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using namespace testing_support;

namespace {

const QString Program = QStringLiteral(VARNEL_EXECUTABLE);
const QStringList Domains = {"ENGINEERING", "SALES", "HEADOFFICE"};

class ScriptedFileDialogs : public platform::FileDialogs {
public:
    QString path;
    QStringList asked; // title, filter, starting place
    QString openFile(const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &title, const QString &filter, const QString &start) override
    {
        asked = {title, filter, start};
        return path;
    }
};

// Lets events run as the real pump does, and gives a test a word at a pass.
class HookedPump : public seams::EventPump {
public:
    int passes = 0;
    std::function<void(int)> onPass;
    void processPendingEvents() override
    {
        ++passes;
        if (onPass)
            onPass(passes);
    }
};

QStringList listed(const QListWidget *list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QChar at(const QString &line, qsizetype i) { return i < line.size() ? line.at(i) : QChar(); }

// A line as a reader takes it that splits at ", " and honours RFC 4180 quotes
// (Python's csv with skipinitialspace=True).
QStringList readColumns(const QString &line)
{
    QStringList columns;
    QString column;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted && c == u'"' && at(line, i + 1) == u'"') {
            column += c;
            ++i;
        } else if (c == u'"' && (quoted || column.isEmpty())) {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            columns << column;
            column.clear();
            while (at(line, i + 1) == u' ')
                ++i;
        } else {
            column += c;
        }
    }
    return columns << column;
}

void clickRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

} // namespace

class AccountListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchFindsWhatTheCopiesMatch_data();
    void searchFindsWhatTheCopiesMatch();
    void emptyTextAnsweredNoRunsNoCopy();
    void twoDomainsRunAtOnceAndCountDown();
    void addedDomainIsCheckedAndUpperCased_data();
    void addedDomainIsCheckedAndUpperCased();
    void clickedComputerShowsLinkAndMachineType();
    void clickedUserIsRememberedAtClose();
    void exportWithoutPropertiesHasFourHeaderLines();
    void exportedUserKeepsItsColumns();
    void cancelKeepsHeaderAndEntriesDone();
    void unwritableFileIsReported();
    void closeDuringSearchEndsCopiesAndWorkFiles();
    void copyThatCannotStartCountsAsEndedWithNoEntries();
    void limitIsReportedOnceAfterWorkFilesAreGone();

private:
    std::unique_ptr<frmNTAccList> openWindow(const QStringList &domains = Domains);
    void search(frmNTAccList &window, const QString &text, bool users = true,
                bool beginsWith = true);
    QStringList expectedUsers(const std::function<bool(const QString &)> &match);
    bool workFilesGone() const;

    QTemporaryDir m_programDir;
    QString m_workFolder;
    QString m_database;
    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<ScriptedSeams> m_seams;
    std::unique_ptr<platform::embedded::EmbeddedNetworkManagement> m_net;
    ScriptedFileDialogs m_dialogs;
    HookedPump m_pump;
};

void AccountListWindowTest::initTestCase()
{
    // A copy of the built program outside the build tree, with a data folder
    // of its own: its work files go there, where no other test's copies write.
    QVERIFY(m_programDir.isValid());
    const QString program = m_programDir.filePath("varnel");
    QVERIFY(QFile::copy(Program, program));
    SetSearchProgram(program);
    qputenv("XDG_DATA_HOME", m_programDir.filePath("data").toUtf8());
    m_workFolder = m_programDir.filePath("data/varnel");
    QVERIFY(QDir().mkpath(m_workFolder));
    m_database = m_programDir.filePath("directory.sqlite");
    qputenv("VARNEL_EMBEDDED_DB", m_database.toUtf8());
    qunsetenv("VARNEL_DIRECTORY");
}

void AccountListWindowTest::init()
{
    m_platform = std::make_unique<TestPlatform>();
    m_seams = std::make_unique<ScriptedSeams>();
    m_net = std::make_unique<platform::embedded::EmbeddedNetworkManagement>(
        m_database.toStdString(), [] { return seams::now(); });
    m_platform->system.folder = m_workFolder;
    platform::Families families = platform::current();
    families.net = m_net.get();
    families.fileDialogs = &m_dialogs;
    platform::install(families);
    seams::Set set = seams::current();
    set.eventPump = &m_pump;
    seams::install(set);
    m_pump = {};
    m_dialogs.path = m_platform->path("export.csv");
}

void AccountListWindowTest::cleanup()
{
    m_seams.reset();
    m_platform.reset();
    m_net.reset();
}

std::unique_ptr<frmNTAccList> AccountListWindowTest::openWindow(const QStringList &domains)
{
    auto window = std::make_unique<frmNTAccList>();
    window->resize(520, 640);
    window->show();
    for (int row = window->LIST_Domain->count() - 1; row >= 0; --row) {
        if (!domains.contains(window->LIST_Domain->item(row)->text())) {
            window->LIST_Domain->setCurrentRow(row);
            window->LIST_Domain_DblClick();
        }
    }
    return window;
}

void AccountListWindowTest::search(frmNTAccList &window, const QString &text, bool users,
                                   bool beginsWith)
{
    window.OPTION_Type[users ? 0 : 1]->click();
    window.OPTION_Filter[beginsWith ? 0 : 1]->click();
    window.TEXT_ID->clear();
    QTest::keyClicks(window.TEXT_ID, text);
    QTest::mouseClick(window.BUTTON_List, Qt::LeftButton);
}

QStringList AccountListWindowTest::expectedUsers(const std::function<bool(const QString &)> &match)
{
    QStringList expected;
    for (const QString &domain : Domains) {
        QStringList names;
        QString noPrefix;
        Enum_Accounts(domain, enum_kind::Users, names, false, noPrefix);
        for (const QString &name : std::as_const(names)) {
            if (match(name.toUpper()))
                expected << name + ", " + domain;
        }
    }
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return expected;
}

bool AccountListWindowTest::workFilesGone() const
{
    return QDir(m_workFolder).entryList({"*%.tmp"}, QDir::Files).isEmpty();
}

void AccountListWindowTest::searchFindsWhatTheCopiesMatch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("beginsWith");
    QTest::addColumn<QString>("part");
    QTest::newRow("**jo begins with: jo*") << "**jo" << true << "JO";
    QTest::newRow("j contained") << "j" << false << "J";
    QTest::newRow("empty answered Yes: all") << "" << true << "";
}

void AccountListWindowTest::searchFindsWhatTheCopiesMatch()
{
    QFETCH(QString, typed);
    QFETCH(bool, beginsWith);
    QFETCH(QString, part);
    m_seams->messageBox.answers.enqueue(seams::Yes);
    auto window = openWindow();
    search(*window, typed, true, beginsWith);

    const QStringList expected = expectedUsers([&](const QString &name) {
        return beginsWith ? name.startsWith(part) : name.contains(part);
    });
    QVERIFY(!expected.isEmpty());
    QCOMPARE(listed(window->LIST_Items), expected);
    QCOMPARE(window->LABEL_Items->text(), "Items : " + QString::number(expected.size()));
    QVERIFY(window->BUTTON_Export->isEnabled());
    QVERIFY(workFilesGone());
    QCOMPARE(m_seams->messageBox.shown.size(), typed.isEmpty() ? 1 : 0);
    QCOMPARE(m_seams->pointer.current(), seams::Pointer::Default);
}

void AccountListWindowTest::emptyTextAnsweredNoRunsNoCopy()
{
    auto window = openWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    search(*window, "   ");
    QCOMPARE(m_seams->messageBox.shown.value(0).title, "Varnel : Missing Search Text");
    QCOMPARE(m_pump.passes, 0);
    QVERIFY(window->TEXT_ID->hasFocus());
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 0"));
}

void AccountListWindowTest::twoDomainsRunAtOnceAndCountDown()
{
    auto window = openWindow({"SALES", "ENGINEERING"});
    QStringList counts;
    m_pump.onPass = [&](int pass) {
        if (pass == 2) // the pass right after the copies were started
            counts << window->LABEL_Items->text() + " running "
                          + QString::number(window->searchCopies().running());
    };
    connect(&window->searchCopies(), &SearchCopies::copyEnded, this,
            [&](int) { counts << window->LABEL_Items->text(); });
    search(*window, "j");
    QCOMPARE(counts, (QStringList{"Working...2 running 2", "Working...1", "Working...0"}));
    QVERIFY(window->LIST_Items->count() > 0);
}

void AccountListWindowTest::addedDomainIsCheckedAndUpperCased_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("added");
    QTest::newRow("lower case") << "branch" << "BRANCH";
    QTest::newRow("leading backslash") << "\\\\BRANCH" << "";
    QTest::newRow("blank inside") << "EAST WING" << "";
    QTest::newRow("slash would leave the folder") << "../X" << "";
}

void AccountListWindowTest::addedDomainIsCheckedAndUpperCased()
{
    QFETCH(QString, typed);
    QFETCH(QString, added);
    auto window = openWindow({});
    QVERIFY(!window->BUTTON_List->isEnabled());
    m_seams->inputBox.answers.enqueue(typed);
    QTest::mouseClick(window->BUTTON_Add, Qt::LeftButton);
    QCOMPARE(listed(window->LIST_Domain), added.isEmpty() ? QStringList() : QStringList{added});
    QCOMPARE(window->BUTTON_List->isEnabled(), !added.isEmpty());
    const QString refusal = added.isEmpty() ? "Invalid domain name, cannot add to list." : "";
    QCOMPARE(m_seams->messageBox.shown.value(0).text, refusal);
}

void AccountListWindowTest::clickedComputerShowsLinkAndMachineType()
{
    auto window = openWindow({"HEADOFFICE"});
    search(*window, "HQ", false);
    QCOMPARE(window->LABEL_Prop1->text(), QStringLiteral("User Link"));
    const QStringList items = listed(window->LIST_Items);
    const auto row = [&](const QString &entry) { return int(items.indexOf(entry)); };
    QVERIFY(row("HQDC01, HEADOFFICE") >= 0 && row("HQWS001, HEADOFFICE") >= 0);

    platform::UserInfo3 info;
    QCOMPARE(m_net->NetUserGetInfo("\\\\HQDC01", "HQWS001$", 1, info), 0u);
    clickRow(window->LIST_Items, row("HQWS001, HEADOFFICE"));
    QCOMPARE(window->LABEL_Val1->text(), QString::fromStdString(info.comment));
    QCOMPARE(window->LABEL_Val2->text(), QStringLiteral("Workstation or Server"));
    clickRow(window->LIST_Items, row("HQDC01, HEADOFFICE"));
    QCOMPARE(window->LABEL_Val2->text(), QStringLiteral("Domain Controller"));
    QTest::mouseClick(window->LABEL_Val2, Qt::LeftButton);
    QCOMPARE(m_seams->messageBox.shown.value(0).text, QStringLiteral("Domain Controller"));
}

void AccountListWindowTest::clickedUserIsRememberedAtClose()
{
    auto window = openWindow({"SALES"});
    search(*window, "j");
    clickRow(window->LIST_Items, 0);
    const QStringList first = window->LIST_Items->item(0)->text().split(", ");
    window->close();
    auto &settings = m_platform->settings;
    QCOMPARE(settings.value("Settings", "LastUserID", {}), first.at(0));
    QCOMPARE(settings.value("Settings", "LastDomain", {}), QStringLiteral("SALES"));
}

void AccountListWindowTest::exportWithoutPropertiesHasFourHeaderLines()
{
    auto window = openWindow();
    search(*window, "j");
    const QStringList items = listed(window->LIST_Items);
    QTest::mouseClick(window->BUTTON_Export, Qt::LeftButton); // properties? No
    QCOMPARE(m_dialogs.asked, (QStringList{"Save As...", "CSV File (*.csv)",
                                           m_platform->system.tempDirectory()}));
    const QStringList lines = fileLines(m_dialogs.path);
    QCOMPARE(lines.size(), items.size() + 4);
    QCOMPARE(lines.mid(0, 1), QStringList{"NT Account List"});
    QVERIFY(lines.at(1).startsWith("Run date: "));
    QCOMPARE(lines.mid(2, 2), (QStringList{" ", "AccountName, Domain"}));
    QCOMPARE(lines.mid(4), items);
}

void AccountListWindowTest::exportedUserKeepsItsColumns()
{
    platform::UserInfo3 user;
    user.name = "zcsv";
    user.password = "Varnel#Demo1";
    user.comment = "a, b";
    user.usrComment = "E\"7\"";
    QCOMPARE(m_net->NetUserAdd("\\\\HQDC01", 3, user, nullptr), 0u);
    platform::embedded::EmbeddedFixture fixture(*m_net);
    const QDateTime now = m_seams->clock.time;
    const auto setAt = QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch() - 129600;
    QCOMPARE(fixture.setPasswordSetTime("HEADOFFICE", "zcsv", uint32_t(setAt)), 0u);

    auto window = openWindow();
    search(*window, "zcsv");
    QCOMPARE(listed(window->LIST_Items), QStringList{"zcsv, HEADOFFICE"});
    m_seams->messageBox.answers.enqueue(seams::Yes);
    QTest::mouseClick(window->BUTTON_Export, Qt::LeftButton);
    const QStringList lines = fileLines(m_dialogs.path);
    QCOMPARE(lines.size(), 5);
    const QStringList header = readColumns(lines.at(3));
    const QStringList columns = readColumns(lines.at(4));
    QCOMPARE(header.size(), 14);
    QCOMPARE(columns.size(), header.size());
    QCOMPARE(columns.at(header.indexOf("Description")), QStringLiteral("a, b"));
    QCOMPARE(columns.at(header.indexOf("EmployeeID")), QStringLiteral("E\"7\""));
    QCOMPARE(columns.at(header.indexOf("PasswordAge")), QStringLiteral("2"));
    QCOMPARE(m_net->NetUserDel("\\\\HQDC01", "zcsv"), 0u);
}

void AccountListWindowTest::cancelKeepsHeaderAndEntriesDone()
{
    auto window = openWindow();
    search(*window, "j");
    const QStringList items = listed(window->LIST_Items);
    QVERIFY(items.size() > 4);
    // Two passes per entry: Cancel is pressed while the third is exported.
    m_pump.passes = 0;
    m_pump.onPass = [&](int pass) {
        if (pass == 5 && window->BUTTON_Cancel->isVisible())
            QTest::mouseClick(window->BUTTON_Cancel, Qt::LeftButton);
    };
    m_seams->messageBox.answers.enqueue(seams::Yes);
    QTest::mouseClick(window->BUTTON_Export, Qt::LeftButton);
    const QStringList lines = fileLines(m_dialogs.path);
    QVERIFY2(lines.size() > 4 && lines.size() < items.size() + 4,
             qPrintable(QString::number(lines.size())));
    QCOMPARE(lines.at(3).count(", "), 13);
    for (qsizetype i = 4; i < lines.size(); ++i)
        QVERIFY(lines.at(i).startsWith(items.at(i - 4) + ", "));
    QVERIFY(window->BUTTON_Export->isVisible());
    QVERIFY(!window->BUTTON_Cancel->isVisible());
    QCOMPARE(window->LABEL_Items->text(), "Items : " + QString::number(items.size()));
}

void AccountListWindowTest::unwritableFileIsReported()
{
    auto window = openWindow({"SALES"});
    search(*window, "j");
    m_dialogs.path = m_platform->path("no/such/folder/export.csv");
    QTest::mouseClick(window->BUTTON_Export, Qt::LeftButton);
    const ShownBox box = m_seams->messageBox.shown.value(1);
    QVERIFY2(box.text.startsWith("Error saving file to disk, "), qPrintable(box.text));
    QCOMPARE(box.icon, seams::Critical);
    QVERIFY(window->BUTTON_Export->isVisible() && window->BUTTON_Export->isEnabled());
}

void AccountListWindowTest::closeDuringSearchEndsCopiesAndWorkFiles()
{
    auto *window = openWindow().release();
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<frmNTAccList> alive(window);
    int runningAtClose = -1;
    m_pump.onPass = [&](int pass) {
        if (pass == 2) { // the copies have just been started
            runningAtClose = window->searchCopies().running();
            window->close();
        }
    };
    m_seams->messageBox.answers.enqueue(seams::Yes);
    search(*window, "");
    QCOMPARE(runningAtClose, 3);
    QVERIFY(workFilesGone());
    QTRY_VERIFY(alive.isNull());
}

void AccountListWindowTest::copyThatCannotStartCountsAsEndedWithNoEntries()
{
    SetSearchProgram(m_programDir.filePath("no-such-program"));
    auto window = openWindow();
    search(*window, "j");
    SetSearchProgram(m_programDir.filePath("varnel"));
    QCOMPARE(window->LIST_Items->count(), 0);
    QCOMPARE(window->searchCopies().running(), 0);
    QCOMPARE(window->LABEL_Items->text(), QStringLiteral("Items : 0"));
    QCOMPARE(window->LABEL_Status->text(),
             QStringLiteral("No accounts found, try specifying a different search text."));
    QVERIFY(!window->BUTTON_Export->isEnabled());
}

void AccountListWindowTest::limitIsReportedOnceAfterWorkFilesAreGone()
{
    platform::embedded::EmbeddedFixture fixture(*m_net);
    int added = 0;
    QCOMPARE(fixture.seedUsers("SALES", 16000, "zzbulk", added), 0u);
    QCOMPARE(fixture.seedUsers("ENGINEERING", 16000, "zzbulk", added), 0u);
    class WatchingBox : public ScriptedMessageBox {
    public:
        std::function<bool()> filesGone;
        QList<bool> goneAtShow;
        seams::Answer show(const QString &text, seams::Buttons buttons, seams::Icon icon,
                           const QString &title) override
        {
            goneAtShow << filesGone();
            return ScriptedMessageBox::show(text, buttons, icon, title);
        }
    } box;
    box.filesGone = [this] { return workFilesGone(); };
    seams::Set set = seams::current();
    set.messageBox = &box;
    seams::install(set);

    auto window = openWindow();
    search(*window, "zz");
    QCOMPARE(window->LIST_Items->count(), frmNTAccList::MaxItems);
    QCOMPARE(box.shown.size(), 1);
    QCOMPARE(box.shown.at(0).title, QStringLiteral("Varnel : Max Reached"));
    QCOMPARE(box.goneAtShow, QList<bool>{true});
}

QTEST_MAIN(AccountListWindowTest)
#include "test_account_list_window.moc"
