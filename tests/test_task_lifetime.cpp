// Task windows in use: a close asked for, or a second press, while a task lets
// events run. The windows sit in the main window as in the program, and the
// event pump delivers what was queued, as the program's pump does.
#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "groups/frmNTAddGroup.h"
#include "groups/frmNTDelGroup.h"
#include "groups/frmNTModGroup.h"
#include "tests/support/DirectoryTestBed.h"
#include "tests/support/WindowTesting.h"
#include "ui/MainWindow.h"
#include "ui/TaskWindow.h"
#include "users/DeleteUserWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <memory>

using namespace testing_support;

namespace {

// A task that lets events run 50 times unless stopped, and a stop button.
class LoopWindow final : public TaskWindow {
public:
    LoopWindow()
        : TaskWindow({QStringLiteral("NT Loop"), false, -1}), BUTTON_Go(new QPushButton("&Go")),
          BUTTON_Stop(new QPushButton("&Stop"))
    {
        BUTTON_Go->setObjectName(QStringLiteral("BUTTON_Go"));
        BUTTON_Stop->setObjectName(QStringLiteral("BUTTON_Stop"));
        auto *content = new QVBoxLayout;
        content->addWidget(BUTTON_Go);
        content->addWidget(BUTTON_Stop);
        setContent(content);
        connectTask(BUTTON_Go, &LoopWindow::BUTTON_Go_Click);
        connectStop(BUTTON_Stop, &LoopWindow::BUTTON_Stop_Click);
        Form_Load();
    }
    QPushButton *const BUTTON_Go;
    QPushButton *const BUTTON_Stop;
    int runs = 0;
    int passes = 0;

private:
    void BUTTON_Go_Click()
    {
        ++runs;
        while (passes < 50 && letEventsRun())
            ++passes;
    }
    void BUTTON_Stop_Click() { requestStop(); }
    void Load_Settings() override {}
    void Save_Settings() override {}
};

enum Trigger { Escape, CtrlF4, CloseBox, MainClose };

// Runs `action` at the next pass of the event pump.
void queue(std::function<void()> action)
{
    QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

} // namespace

class TaskLifetimeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void closeDuringATaskEndsItThenClosesTheWindowOnce_data();
    void closeDuringATaskEndsItThenClosesTheWindowOnce();
    void secondPressDuringATaskIsIgnored_data();
    void secondPressDuringATaskIsIgnored();
    void stopButtonStaysLiveDuringItsTask_data();
    void stopButtonStaysLiveDuringItsTask();

private:
    TaskWindow *open(const QString &item);
    // Queues `action` when the directory is first asked `function`; it runs
    // at the task's next pass of the event pump. Counts the calls after it.
    void atCall(const std::string &function, std::function<void()> action);
    void pull(Trigger trigger);

    std::unique_ptr<DirectoryTestBed> m_bed;
    std::unique_ptr<frmVarnel> m_main;
    std::size_t m_callsAtTrigger = 0;
};

void TaskLifetimeTest::init()
{
    m_bed = std::make_unique<DirectoryTestBed>();
    m_bed->seams.eventPump.deliver = true;
    FakeDirectory &net = m_bed->net;
    net.trustBuffer = std::string("ENG\0HR\0FIN\0\0", 12);
    for (const char *domain : {"ENG", "HR", "FIN"})
        net.controllers[domain] = std::string("\\\\") + domain + "DC";
    net.addGlobalGroup("Clerks", {"anna", "ben", "carl", "dora"});
    net.addUser("jsmith");
    m_main = std::make_unique<frmVarnel>();
    m_main->registerTaskWindow("MENUOPT_AddGroup", [] { return new frmNTAddGroup; });
    m_main->registerTaskWindow("MENUOPT_DelGroup", [] { return new frmNTDelGroup; });
    m_main->registerTaskWindow("MENUOPT_ModGroup", [] { return new frmNTModGroup; });
    m_main->registerTaskWindow("MENUOPT_DelUser", [] { return new frmNTDelUser; });
    QVERIFY(activate(*m_main));
}

void TaskLifetimeTest::cleanup()
{
    m_main.reset();
    m_bed.reset();
}

TaskWindow *TaskLifetimeTest::open(const QString &item)
{
    m_main->menuItem(item)->trigger();
    auto *window = qobject_cast<TaskWindow *>(m_main->taskWindow(item)->widget());
    window->COMBO_Domain->setEditText(QStringLiteral("HR"));
    if (auto *add = qobject_cast<frmNTAddGroup *>(window)) {
        add->TEXT_ID->setText(QStringLiteral("Staff"));
        add->TEXT_GroupDescription->setText(QStringLiteral("Staff"));
        add->CHECK_Unique->setChecked(true);
    } else if (auto *modify = qobject_cast<frmNTModGroup *>(window)) {
        modify->BUTTON_List->click();
        modify->COMBO_MemberDomain->setEditText(QStringLiteral("HR"));
        modify->TEXT_MemberName->setText(QStringLiteral("jsmith"));
    }
    m_bed->net.calls.clear();
    return window;
}

void TaskLifetimeTest::atCall(const std::string &function, std::function<void()> action)
{
    m_bed->net.inject = [this, function, action, queued = false](const FakeCall &call) mutable {
        if (!queued && call.function == function) {
            queued = true;
            queue([this, action] {
                m_callsAtTrigger = m_bed->net.calls.size();
                action();
            });
        }
        return platform::status::Success;
    };
}

void TaskLifetimeTest::pull(Trigger trigger)
{
    switch (trigger) {
    case Escape:
        return QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    case CtrlF4:
        return QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    case CloseBox:
        m_main->mdiArea()->activeSubWindow()->close();
        return;
    case MainClose:
        m_main->close();
        return;
    }
}

void TaskLifetimeTest::closeDuringATaskEndsItThenClosesTheWindowOnce_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("during");
    QTest::addColumn<int>("trigger");
    QTest::addColumn<int>("logged");
    QTest::newRow("Escape during the add-group search")
        << "MENUOPT_AddGroup" << "BUTTON_Add" << "NetGroupGetInfo" << int(Escape) << 0;
    QTest::newRow("Ctrl+F4 during the add-group search")
        << "MENUOPT_AddGroup" << "BUTTON_Add" << "NetGroupGetInfo" << int(CtrlF4) << 0;
    QTest::newRow("close box during the modify-group member loop")
        << "MENUOPT_ModGroup" << "BUTTON_List" << "NetGroupGetUsers" << int(CloseBox) << 0;
    QTest::newRow("main window closing during the member loop")
        << "MENUOPT_ModGroup" << "BUTTON_List" << "NetGroupGetUsers" << int(MainClose) << 0;
    // The write is finished, shown and logged; the reading after it stops.
    QTest::newRow("close box after the add-member write was sent")
        << "MENUOPT_ModGroup" << "BUTTON_AddMember" << "NetGroupAddUser" << int(CloseBox) << 1;
}

void TaskLifetimeTest::closeDuringATaskEndsItThenClosesTheWindowOnce()
{
    QFETCH(QString, item);
    QFETCH(QString, button);
    QFETCH(QString, during);
    QFETCH(int, trigger);
    QFETCH(int, logged);
    TaskWindow *opened = open(item);
    QPointer<TaskWindow> window(opened);
    int listed = 0;
    if (auto *group = qobject_cast<frmNTModGroup *>(opened))
        connect(group->LIST_Items->model(), &QAbstractItemModel::rowsInserted, this,
                [&listed] { ++listed; });
    // Asked twice: it closes once.
    atCall(during.toStdString(), [this, trigger] {
        pull(Trigger(trigger));
        pull(Trigger(trigger));
    });

    QTest::mouseClick(opened->findChild<QPushButton *>(button), Qt::LeftButton);

    QVERIFY(m_callsAtTrigger > 0);
    // Nothing asked or written after the close was asked for (a log line
    // reads who is logged on).
    const auto &calls = m_bed->net.calls;
    QCOMPARE(std::count_if(calls.begin() + qsizetype(m_callsAtTrigger), calls.end(),
                           [](const FakeCall &call) {
                               return call.function != "NetWkstaUserGetInfo";
                           }),
             0);
    QVERIFY(listed <= 1);
    QTRY_VERIFY(!window);
    QTRY_VERIFY(m_main->mdiArea()->subWindowList().isEmpty());
    QTRY_COMPARE(m_main->isVisible(), trigger != MainClose);
    const QStringList lines = logLines(LogFilePath());
    QCOMPARE(lines.size(), logged);
    if (logged)
        QVERIFY(lines.first().contains(QStringLiteral("HR\\Clerks\\jsmith")));
}

void TaskLifetimeTest::secondPressDuringATaskIsIgnored_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("during");
    QTest::addColumn<QString>("counted");
    QTest::newRow("add group, during the search")
        << "MENUOPT_AddGroup" << "BUTTON_Add" << "NetGroupGetInfo" << "NetGroupAdd";
    QTest::newRow("delete group, during the listing")
        << "MENUOPT_DelGroup" << "BUTTON_List" << "NetGroupEnum" << "NetGroupEnum";
    QTest::newRow("modify group, during the member loop")
        << "MENUOPT_ModGroup" << "BUTTON_List" << "NetGroupGetUsers" << "NetGroupEnum";
    QTest::newRow("delete user, during the listing")
        << "MENUOPT_DelUser" << "BUTTON_List" << "NetQueryDisplayInformation"
        << "NetQueryDisplayInformation";
}

void TaskLifetimeTest::secondPressDuringATaskIsIgnored()
{
    QFETCH(QString, item);
    QFETCH(QString, button);
    QFETCH(QString, during);
    QFETCH(QString, counted);
    TaskWindow *window = open(item);
    auto *pressed = window->findChild<QPushButton *>(button);
    atCall(during.toStdString(), [pressed] { QTest::mouseClick(pressed, Qt::LeftButton); });

    QTest::mouseClick(pressed, Qt::LeftButton);

    QVERIFY(m_callsAtTrigger > 0);
    QCOMPARE(m_bed->net.count(counted.toStdString()), 1);
    // The one run reports its own outcome: a success is never shown as failure.
    QVERIFY(!window->LABEL_Status->text().startsWith(QStringLiteral("Error")));
}

void TaskLifetimeTest::stopButtonStaysLiveDuringItsTask_data()
{
    QTest::addColumn<QString>("pressedDuringTask");
    QTest::addColumn<int>("passes");
    QTest::newRow("stop ends the task at its next pass") << "BUTTON_Stop" << 0;
    QTest::newRow("the task's own button is ignored") << "BUTTON_Go" << 50;
}

void TaskLifetimeTest::stopButtonStaysLiveDuringItsTask()
{
    QFETCH(QString, pressedDuringTask);
    QFETCH(int, passes);
    LoopWindow window;
    auto *pressed = window.findChild<QPushButton *>(pressedDuringTask);
    QVERIFY(pressed);
    queue([pressed] { QTest::mouseClick(pressed, Qt::LeftButton); });
    QTest::mouseClick(window.BUTTON_Go, Qt::LeftButton);
    QCOMPARE(window.runs, 1);
    QCOMPARE(window.passes, passes);
}

QTEST_MAIN(TaskLifetimeTest)
#include "test_task_lifetime.moc"
