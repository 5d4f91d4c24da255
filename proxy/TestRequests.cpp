#include "TestRequests.h"

#include "ProxyLogon.h"
#include "frmNTProxy.h"

#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/Identity.h"
#include "app/Seams.h"
#include "directory/AccountCreation.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxSecurityLogon.h"
#include "ui/GuiStartup.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int PollMs = 100;
constexpr int WaitFileTries = 600;

void print(const QStringList &fields)
{
    std::printf("%s\n", qUtf8Printable(fields.join(u'\t')));
    std::fflush(stdout);
}

class PrintingMessageBox : public seams::MessageBox {
public:
    seams::Answer show(const QString &text, seams::Buttons buttons, seams::Icon,
                       const QString &title) override
    {
        print({QStringLiteral("message"), title, QString(text).replace(u'\n', u'|')});
        return buttons == seams::YesNo ? seams::No : seams::Ok;
    }
};

class StepRunner : public QObject {
public:
    explicit StepRunner(const QStringList &steps) : m_steps(steps) {}
    void next();

private:
    bool runOne(const QStringList &fields);
    void login(const QStringList &fields);
    void addUser(const QStringList &fields);

    QStringList m_steps;
    int m_waits = 0;
    bool m_ended = false;
};

void StepRunner::next()
{
    while (!m_steps.isEmpty() && !m_ended) {
        if (!runOne(m_steps.first().split(u'\t')))
            return; // waiting: next() comes back
        m_steps.removeFirst();
    }
}

bool StepRunner::runOne(const QStringList &fields)
{
    const QString &step = fields.first();
    if (step == u"report") {
        const frmVarnel *main = mainWindow();
        print({step, Get_Identity(), main ? main->windowTitle() : QString(),
               QString::number(::getpid())});
    } else if (step == u"adduser" && fields.size() >= 3) {
        addUser(fields);
    } else if (step == u"login" && fields.size() >= 4) {
        login(fields);
    } else if (step == u"waitfile" && fields.size() >= 2) {
        if (!QFileInfo::exists(fields[1]) && ++m_waits < WaitFileTries) {
            QTimer::singleShot(PollMs, this, [this] { next(); });
            return false;
        }
        m_waits = 0;
    } else if (step == u"quit") {
        m_ended = true;
        QCoreApplication::exit(0);
    }
    return true;
}

void StepRunner::addUser(const QStringList &fields)
{
    QString name = fields[1];
    NewAccount account;
    account.Password = fields[2];
    const int32_t status = Add_Account(name, Get_WkstaDomain(), 0, account);
    Write_Log({}, QStringLiteral("NT Add User Account"), name, status == 0, {}, {}, {}, {}, {});
    print({fields[0], name, QString::number(status)});
}

void StepRunner::login(const QStringList &fields)
{
    frmVarnel *main = mainWindow();
    if (!main)
        return;
    main->menuItem(QStringLiteral("MENUOPT_Proxy"))->trigger();
    QMdiSubWindow *frame = main->taskWindow(QStringLiteral("MENUOPT_Proxy"));
    auto *window = frame ? qobject_cast<frmNTProxy *>(frame->widget()) : nullptr;
    if (!window)
        return;
    window->TEXT_Domain->setText(fields[1]);
    window->TEXT_UserName->setText(fields[2]);
    window->TEXT_Password->setText(fields[3]);
    // What is left is the new copy's to do.
    const QStringList rest = m_steps.mid(1);
    if (auto *security = dynamic_cast<platform::LinuxSecurityLogon *>(&platform::security()))
        security->setStepsToHandOn(rest);
    SetEndProgram([this] {
        m_ended = true;
        print({QStringLiteral("ended"), QString::number(::getpid())});
        QCoreApplication::exit(0);
    });
    window->BUTTON_Login->click();
}

} // namespace

void RunTestSteps(const QStringList &steps)
{
    static PrintingMessageBox messages;
    seams::Set set = seams::current();
    set.messageBox = &messages;
    seams::install(set);
    auto *runner = new StepRunner(steps);
    runner->setParent(QCoreApplication::instance());
    QTimer::singleShot(0, runner, [runner] { runner->next(); });
}
